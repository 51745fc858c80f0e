# The stand-in engine library (exports BTRCALL and records every call) for the database tests.
add_library(tx3_test_engine SHARED ${CMAKE_CURRENT_LIST_DIR}/test_engine/test_engine.cpp)
set_target_properties(tx3_test_engine PROPERTIES CXX_VISIBILITY_PRESET hidden PREFIX "")
# On Windows the tests take it from beside themselves (support/test_files.h).
foreach(t tx3_database_tests tx3_e2e_tests)
  if(TARGET ${t})
    add_dependencies(${t} tx3_test_engine)
  endif()
endforeach()
if(TARGET tx3_database_tests)
  target_include_directories(tx3_database_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/test_engine)
endif()
