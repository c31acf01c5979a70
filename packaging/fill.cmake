# Fills the @NAME@ places of a template at build time:
#   cmake -DTEMPLATE=IN -DOUTPUT=OUT [-DNAME=TEXT]... [-DNAME_FROM=FILE]... -P fill.cmake
# NAME_FROM gives NAME the text of FILE (one that tarvenix-devicetable wrote from the
# supported-device table), without its last line break.
get_cmake_property(names VARIABLES)
foreach(name IN LISTS names)
  if(name MATCHES "^(.+)_FROM$")
    set(place ${CMAKE_MATCH_1})
    file(READ "${${name}}" text)
    string(REGEX REPLACE "\n$" "" ${place} "${text}")
  endif()
endforeach()
configure_file("${TEMPLATE}" "${OUTPUT}" @ONLY)
