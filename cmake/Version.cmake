# The forms of the program's version that the shipped files need, all derived from project():
# change the version there and the window title, --version, the Windows resources, the Debian
# package and the MSI packages follow.
#
#   TX3_VERSION_TEXT     as --version and the window title print it, each part on four digits:
#                        2026.1208.0001 (the Windows FileVersion and ProductVersion strings)
#   TX3_VERSION_RESOURCE the fixed file version of the Windows resources: 2026,1208,1,0
#   TX3_MSI_VERSION      the MSI packages' ProductVersion (see below): 26.12.801

# The number padded with zeros to four digits, as the program pads it.
function(tx3_four_digits out number)
  string(LENGTH "${number}" length)
  set(padded "${number}")
  while(length LESS 4)
    string(PREPEND padded "0")
    math(EXPR length "${length} + 1")
  endwhile()
  set(${out} "${padded}" PARENT_SCOPE)
endfunction()

foreach(part MAJOR MINOR PATCH)
  tx3_four_digits(tx3_${part} "${PROJECT_VERSION_${part}}")
endforeach()
set(TX3_VERSION_TEXT "${tx3_MAJOR}.${tx3_MINOR}.${tx3_PATCH}")
set(TX3_VERSION_RESOURCE
    "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0")

# Windows Installer compares ProductVersion as major.minor.build with major and minor below 256
# and build below 65536, which year.MMDD.revision (2026.1208.1) does not fit. The packages use
# (year - 2000).(MMDD / 100).((MMDD % 100) * 100 + revision): 2026.1208.1 is 26.12.801. It keeps
# the versions' order as long as the year runs from 2000 to 2255 and the revision stays below 100,
# which the configuration checks.
if(PROJECT_VERSION_MAJOR LESS 2000 OR PROJECT_VERSION_MAJOR GREATER 2255
   OR PROJECT_VERSION_MINOR GREATER 9999 OR PROJECT_VERSION_PATCH GREATER 99)
  message(FATAL_ERROR "The version ${PROJECT_VERSION} has no MSI ProductVersion: the year must "
                      "run from 2000 to 2255, the second part stay below 10000 and the revision "
                      "below 100")
endif()
math(EXPR tx3_msi_major "${PROJECT_VERSION_MAJOR} - 2000")
math(EXPR tx3_msi_minor "${PROJECT_VERSION_MINOR} / 100")
math(EXPR tx3_msi_build "${PROJECT_VERSION_MINOR} % 100 * 100 + ${PROJECT_VERSION_PATCH}")
set(TX3_MSI_VERSION "${tx3_msi_major}.${tx3_msi_minor}.${tx3_msi_build}")
