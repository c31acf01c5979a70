# Run by CPack after it installed the package's files into its staging folder: takes the
# compiler's notes (.comment, .note) out of the programs, as Debian's own packages are
# stripped. The Debian generator then moves their debug symbols into the -dbgsym package
# and strips the rest.
file(GLOB programs "${CPACK_TEMPORARY_DIRECTORY}/usr/bin/*")
foreach(program IN LISTS programs)
  execute_process(
    COMMAND ${CPACK_TARVENIX_OBJCOPY} --remove-section=.comment --remove-section=.note ${program}
    COMMAND_ERROR_IS_FATAL ANY)
endforeach()
if(NOT programs)
  message(FATAL_ERROR "no programs in ${CPACK_TEMPORARY_DIRECTORY}/usr/bin")
endif()
