# Every compilation goes through ccache when it is installed and no compiler launcher was chosen
# (CMAKE_<LANG>_COMPILER_LAUNCHER, on the command line or in the environment): the Linux builds,
# the mingw-w64 cross builds and the clang fuzz build alike. ccache's base directory is the source
# tree and the build folder is left out of the hash (CCACHE_BASEDIR, CCACHE_NOHASHDIR), so that
# the same sources compiled before on this machine, in this folder or in another clone, come from
# the cache. -DTX3_CCACHE=OFF builds without it.
find_program(TX3_CCACHE ccache NO_CMAKE_FIND_ROOT_PATH
             DOC "ccache, the compiler launcher of every build (OFF: none)")
if(TX3_CCACHE)
  foreach(lang C CXX)
    if(NOT CMAKE_${lang}_COMPILER_LAUNCHER)
      set(CMAKE_${lang}_COMPILER_LAUNCHER ${CMAKE_COMMAND} -E env CCACHE_BASEDIR=${CMAKE_SOURCE_DIR}
                                          CCACHE_NOHASHDIR=1 ${TX3_CCACHE})
    endif()
  endforeach()
endif()
