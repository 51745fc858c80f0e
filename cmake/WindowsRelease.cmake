# What a Windows build adds for its release: the icon and version resources of both programs and
# the facts the MSI packages are made from (scripts/build-windows.sh reads them from
# tx3_release.env in the build folder). Included by the root CMakeLists.txt on Windows.
include(${CMAKE_CURRENT_LIST_DIR}/Version.cmake)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(TX3_WINDOWS_ARCH x64)
else()
  set(TX3_WINDOWS_ARCH x86)
endif()

# The icon group of both programs (Explorer, the taskbar, the Start menu, Add/Remove Programs),
# drawn at build time from the window's own artwork.
set(TX3_ICON_SIZES 16 20 24 32 40 48 64 256)
set(TX3_ICON_FILE ${CMAKE_BINARY_DIR}/artwork/tx3_setup.ico)
string(REPLACE ";" "," tx3_icon_sizes "${TX3_ICON_SIZES}")
add_custom_command(
  OUTPUT ${TX3_ICON_FILE}
  COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${CMAKE_SOURCE_DIR} -DWORK_DIR=${CMAKE_BINARY_DIR}/artwork
          -DICON=${TX3_ICON_FILE} -DSIZES=${tx3_icon_sizes}
          -P ${CMAKE_SOURCE_DIR}/cmake/WindowsIcon.cmake
  DEPENDS ${CMAKE_SOURCE_DIR}/cmake/WindowsIcon.cmake
          ${CMAKE_SOURCE_DIR}/packaging/windows/icon_tool/CMakeLists.txt
          ${CMAKE_SOURCE_DIR}/packaging/export_icons.cpp
          ${CMAKE_SOURCE_DIR}/src/app/qt/artwork.cpp ${CMAKE_SOURCE_DIR}/src/app/qt/artwork.h
  COMMENT "Drawing the Windows icon"
  VERBATIM)
add_custom_target(tx3_windows_icon DEPENDS ${TX3_ICON_FILE})

# The header the resource script takes the version, the names and the icon from.
set(TX3_RESOURCE_HEADER ${CMAKE_BINARY_DIR}/generated/tx3_version.rc.h)
configure_file(${CMAKE_SOURCE_DIR}/src/app/win32/tx3_version.rc.h.in ${TX3_RESOURCE_HEADER} @ONLY)

# One upgrade code for every version and both architectures, so that a package replaces the
# installed one of either architecture; each package gets its own product code when it is made
# (packaging/windows/make-msi.sh).
set(TX3_MSI_UPGRADE_CODE D18BBD14-09D2-416E-AE8F-E230EEE33522)
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/tx3_release.env CONTENT [[
# Written by CMake (cmake/WindowsRelease.cmake): the facts the MSI package is made from.
TX3_ARCH=@TX3_WINDOWS_ARCH@
TX3_VERSION=@PROJECT_VERSION@
TX3_VERSION_TEXT=@TX3_VERSION_TEXT@
TX3_MSI_VERSION=@TX3_MSI_VERSION@
TX3_MSI_UPGRADE_CODE=@TX3_MSI_UPGRADE_CODE@
TX3_ICON_FILE=@TX3_ICON_FILE@
]] @ONLY)
