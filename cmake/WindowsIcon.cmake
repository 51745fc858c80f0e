# Script mode (cmake -P): draws the Windows programs' icon file.
#   -DSOURCE_DIR=<project root> -DWORK_DIR=<scratch folder> -DICON=<output .ico>
#   -DSIZES=<sizes separated by commas>
# Builds the icon exporter for the build machine (packaging/windows/icon_tool), has it write one
# PNG per size, and assembles them with icotool (icoutils): the 256-pixel image is stored as PNG,
# the smaller ones as 32-bit bitmaps with alpha, as Windows' own icons are.
string(REPLACE "," ";" SIZES "${SIZES}")
set(tool_build ${WORK_DIR}/icon_tool)

function(tx3_run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT status EQUAL 0)
    string(REPLACE ";" " " shown "${ARGN}")
    message(FATAL_ERROR "${shown} failed (${status}):\n${out}")
  endif()
endfunction()

# The cross build's compiler and toolchain must not reach this build: a fresh environment for it.
if(NOT EXISTS ${tool_build}/CMakeCache.txt)
  tx3_run(${CMAKE_COMMAND} -E env --unset=CXX --unset=CXXFLAGS --unset=LDFLAGS
          --unset=CMAKE_TOOLCHAIN_FILE
          ${CMAKE_COMMAND} -S ${SOURCE_DIR}/packaging/windows/icon_tool -B ${tool_build} -G Ninja
          -DCMAKE_BUILD_TYPE=Release)
endif()
tx3_run(${CMAKE_COMMAND} --build ${tool_build})

set(png_root ${WORK_DIR}/png)
file(REMOVE_RECURSE ${png_root})
tx3_run(${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ${tool_build}/tx3_export_icons
        ${png_root} ${SIZES})

find_program(ICOTOOL icotool REQUIRED)
set(images "")
foreach(size IN LISTS SIZES)
  set(png ${png_root}/${size}x${size}/apps/tx3_setup.png)
  if(size GREATER_EQUAL 256)
    list(APPEND images --raw=${png})
  else()
    list(APPEND images ${png})
  endif()
endforeach()
tx3_run(${ICOTOOL} --create --output=${ICON}.new ${images})
file(RENAME ${ICON}.new ${ICON})
