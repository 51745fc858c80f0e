# The Windows workflow (.github/workflows/windows.yml) is well formed where it matters: it builds
# the test kit with the project's scripts and runs it on both hosted Windows runners; and the
# check itself finds each kind of fault in a workflow made to hold them.
if(NOT CMAKE_CROSSCOMPILING)
  set(TX3_CHECK_WORKFLOW /usr/bin/python3 ${CMAKE_CURRENT_LIST_DIR}/check_workflow.py --root
                         ${CMAKE_SOURCE_DIR} --runs-on windows-2022 --runs-on windows-2025
                         --command scripts/build-windows.sh --command run-tests.cmd)
  add_test(NAME packaging.windows_workflow_is_well_formed
           COMMAND ${TX3_CHECK_WORKFLOW} ${CMAKE_SOURCE_DIR}/.github/workflows/windows.yml)
  add_test(NAME packaging.workflow_check_names_each_fault
           COMMAND ${TX3_CHECK_WORKFLOW} ${CMAKE_CURRENT_LIST_DIR}/data/broken_workflow.yml)
  set(wf "[^\n]*broken_workflow\\.yml")
  string(CONCAT faults
    "^${wf}: no trigger \\(on\\)\n"
    "${wf}: job build: no runs-on\n"
    "${wf}: job build: step 1 runs scripts/no_such_script\\.sh, not in the tree\n"
    "${wf}: job tests: needs kit, which is no job\n"
    "${wf}: job tests: step 1 has not exactly one of uses and run\n"
    "${wf}: no job runs on windows-2025\n"
    "${wf}: no step runs scripts/build-windows\\.sh\n"
    "${wf}: no step runs run-tests\\.cmd\n"
    "workflow check: 8 fault\\(s\\)\n$")
  set_tests_properties(packaging.workflow_check_names_each_fault PROPERTIES
                       PASS_REGULAR_EXPRESSION "${faults}")
endif()
