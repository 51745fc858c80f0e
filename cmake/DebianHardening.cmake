# Debian's hardening flags (stack protector, fortified calls, format checks, read-only
# relocations, immediate binding), as dpkg-buildflags gives them to a package built by
# dpkg-buildpackage: the release preset builds with them, and the Debian package is made from
# that build. The optimisation and debugging flags come from the build type.
find_program(TX3_DPKG_BUILDFLAGS dpkg-buildflags REQUIRED)
foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
  # From the source tree, which the file prefix map then names as ".".
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
            ${TX3_DPKG_BUILDFLAGS} --get ${kind}
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
    OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  separate_arguments(flags UNIX_COMMAND "${flags}")
  list(FILTER flags EXCLUDE REGEX "^(-g[0-9]*|-O[0-9gs]?)$")
  if(kind STREQUAL "LDFLAGS")
    add_link_options(${flags})
  else()
    add_compile_options(${flags})
  endif()
endforeach()
