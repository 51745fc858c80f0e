# The Debian package of the Linux build (scripts/package.sh makes it: cpack -G DEB).
# The files it holds are installed by src/ (the program) and packaging/ (manual page, desktop
# entry, icons, documentation). Linux only: the root CMakeLists.txt includes it there.

set(TX3_PACKAGE_MAINTAINER "Équipe TX3_Setup <tx3-setup@tarvox.example>" CACHE STRING
    "Maintainer of the Debian package (name <address>)")
set(TX3_PACKAGE_HOMEPAGE "https://www.tarvox.example/" CACHE STRING
    "Home page named by the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tx3-setup)
set(CPACK_PACKAGE_VENDOR "Tarvox")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_CONTACT ${TX3_PACKAGE_MAINTAINER})
set(CPACK_STRIP_FILES ON)
# Directories as Debian expects them whatever the umask of the build.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# Debian's own file name: tx3-setup_<version>_<architecture>.deb.
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${TX3_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${TX3_PACKAGE_HOMEPAGE})
# The first line is the synopsis; CPack indents the following lines as the long description.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "workstation setup tool of the Tarvox radio-automation suite
TX3_Setup prepares a workstation of the Tarvox suite: the radio's and the
stations' names, the folder set of the installation, the suite's INI settings
files, the empty data files of the database and the download addresses of the
database engine, the audio converter and the suite's packages.
.
It has a window with French texts and a batch mode for unattended set-up of
many workstations. Windows drives are emulated under a folder of drive
entries, so that what it prepares is valid for the suite's Windows programs.")
# dpkg-shlibdeps finds the libraries the program links (Qt 6, the C++ runtime) and names their
# packages in Depends.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The download steps open their addresses with xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")

include(CPack)
