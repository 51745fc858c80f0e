# The Qt window read through the accessibility bus, as a screen reader reads it, and what the
# screen reader Orca itself says while the window is walked with the keyboard, read from its debug
# log (xdotool does the window manager's part: Xvfb has none). Each is skipped, with the reason,
# where Xvfb, D-Bus, the AT-SPI bus, python3-pyatspi or the commands it needs are not installed.
if(TARGET tx3_setup AND TX3_BUILD_GUI AND NOT WIN32)
  set(runner ${CMAKE_CURRENT_LIST_DIR}/run_accessibility_e2e.sh)
  add_test(NAME ScreenReaderE2eTest
           COMMAND sh ${runner} screen_reader_e2e.py $<TARGET_FILE:tx3_setup>)
  add_test(NAME OrcaE2eTest
           COMMAND sh ${runner} --needs orca xdotool orca_e2e.py $<TARGET_FILE:tx3_setup>)
  set_tests_properties(ScreenReaderE2eTest PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300)
  set_tests_properties(OrcaE2eTest PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 900)
endif()
