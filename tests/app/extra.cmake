# The long failure sweep: every file call of an installation failed with every error (the test
# suite fails every call with one error and every fifth with the others).
if(TARGET tx3_app_tests AND NOT CMAKE_CROSSCOMPILING)
  add_custom_target(fault-sweep
    COMMAND ${CMAKE_COMMAND} -E env TX3_FAULT_STRIDE=1 $<TARGET_FILE:tx3_app_tests>
            --gtest_filter=EveryError/FileFaultsTest.*
    DEPENDS tx3_app_tests
    USES_TERMINAL)
endif()
