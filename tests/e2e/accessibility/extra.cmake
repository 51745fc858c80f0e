# The Qt window read through the accessibility bus, as a screen reader reads it (skipped, with
# the reason, where Xvfb, D-Bus, the AT-SPI bus or python3-pyatspi are not installed).
if(TARGET tx3_setup AND TX3_BUILD_GUI AND NOT WIN32)
  add_test(NAME ScreenReaderE2eTest
           COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/run_screen_reader_e2e.sh $<TARGET_FILE:tx3_setup>)
  set_tests_properties(ScreenReaderE2eTest PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300)
endif()

# What the screen reader Orca itself says while the window is walked with the keyboard, read
# from its debug log (skipped, with the reason, where Orca or the tools above are missing).
if(TARGET tx3_setup AND TX3_BUILD_GUI AND NOT WIN32)
  add_test(NAME OrcaE2eTest COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/run_orca_e2e.sh
                                    $<TARGET_FILE:tx3_setup>)
  set_tests_properties(OrcaE2eTest PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 900)
endif()
