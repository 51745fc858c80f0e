# The long kill run: a thousand kills of a whole installation (the test suite itself makes 100).
if(TARGET tx3_e2e_tests AND NOT CMAKE_CROSSCOMPILING)
  add_custom_target(kill-soak
    COMMAND ${CMAKE_COMMAND} -E env TX3_KILLS=1000 $<TARGET_FILE:tx3_e2e_tests>
            --gtest_filter=SettingsProcessesE2eTest.KilledAtAnyInstant*
    DEPENDS tx3_e2e_tests tx3_setup
    USES_TERMINAL)
endif()
