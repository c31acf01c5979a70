# Optimised builds on Debian take the flags of a Debian package build: those of
# dpkg-buildflags with every hardening feature (fortified functions, stack protector,
# read-only relocations bound at start). gcc makes position-independent executables by
# default. So the programs that the package ships are hardened as Debian's own are.
# Debug and sanitizer builds keep their own flags; -DTARVENIX_HARDENING=OFF leaves them out.
option(TARVENIX_HARDENING "Optimised builds take the flags of dpkg-buildflags" ON)
find_program(TARVENIX_DPKG_BUILDFLAGS dpkg-buildflags)
if(NOT TARVENIX_HARDENING OR NOT TARVENIX_DPKG_BUILDFLAGS OR WIN32 OR TARVENIX_SANITIZE
   OR NOT CMAKE_BUILD_TYPE MATCHES "^(Release|RelWithDebInfo|MinSizeRel)$")
  return()
endif()

function(tarvenix_buildflag name out)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
            ${TARVENIX_DPKG_BUILDFLAGS} --get ${name}
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  set(${out} "${flags}" PARENT_SCOPE)
endfunction()

tarvenix_buildflag(CPPFLAGS cppflags)
tarvenix_buildflag(CFLAGS cflags)
tarvenix_buildflag(CXXFLAGS cxxflags)
tarvenix_buildflag(LDFLAGS ldflags)
string(APPEND CMAKE_C_FLAGS " ${cppflags} ${cflags}")
string(APPEND CMAKE_CXX_FLAGS " ${cppflags} ${cxxflags}")
foreach(kind EXE SHARED MODULE)
  string(APPEND CMAKE_${kind}_LINKER_FLAGS " ${ldflags}")
endforeach()
message(STATUS "Hardened build flags from dpkg-buildflags: ${cppflags} ${cxxflags} ${ldflags}")
