# The stand-in engine library (exports BTRCALL and records every call) for the database tests.
add_library(tx3_test_engine SHARED ${CMAKE_CURRENT_LIST_DIR}/test_engine/test_engine.cpp)
set_target_properties(tx3_test_engine PROPERTIES CXX_VISIBILITY_PRESET hidden PREFIX "")
# Under Wine the build machine's folders are on drive Z:.
set(TX3_TEST_ENGINE_PATH "$<TARGET_FILE:tx3_test_engine>")
if(CMAKE_CROSSCOMPILING AND WIN32)
  set(TX3_TEST_ENGINE_PATH "Z:$<TARGET_FILE:tx3_test_engine>")
endif()
if(TARGET tx3_database_tests)
  add_dependencies(tx3_database_tests tx3_test_engine)
  target_include_directories(tx3_database_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/test_engine)
  target_compile_definitions(tx3_database_tests PRIVATE
    TX3_TEST_ENGINE="${TX3_TEST_ENGINE_PATH}")
endif()
if(TARGET tx3_e2e_tests)
  add_dependencies(tx3_e2e_tests tx3_test_engine)
  target_compile_definitions(tx3_e2e_tests PRIVATE
    TX3_TEST_ENGINE="${TX3_TEST_ENGINE_PATH}")
endif()
