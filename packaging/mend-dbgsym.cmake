# Run by CPack after it made the packages. CMake 3.25's Debian generator writes the
# -dbgsym package's md5sums with the paths of its staging folder on the build machine,
# and its debug files executable. This mends both, and points the package's
# documentation folder at the main package's, as Debian's own -dbgsym packages do.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(NOT package MATCHES "\\.ddeb$")
    continue()
  endif()
  set(tree ${package}.tree)
  file(REMOVE_RECURSE ${tree})
  execute_process(COMMAND dpkg-deb -R ${package} ${tree} COMMAND_ERROR_IS_FATAL ANY)
  file(READ ${tree}/DEBIAN/md5sums sums)
  string(REGEX REPLACE "  [^\n]*/usr/lib/debug/" "  usr/lib/debug/" sums "${sums}")
  file(WRITE ${tree}/DEBIAN/md5sums "${sums}")
  file(GLOB_RECURSE debug_files ${tree}/usr/lib/debug/*.debug)
  file(CHMOD ${debug_files} PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  file(MAKE_DIRECTORY ${tree}/usr/share/doc)
  file(CREATE_LINK ${CPACK_PACKAGE_NAME} ${tree}/usr/share/doc/${CPACK_PACKAGE_NAME}-dbgsym
    SYMBOLIC)
  execute_process(COMMAND dpkg-deb --root-owner-group -b ${tree} ${package}
    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE ${tree})
endforeach()
