# The planted engine library: named as the engine's, built apart from the programs (never beside
# them), and copied by the tests where someone could leave it.
if(TARGET tx3_e2e_tests AND WIN32)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(TX3_PLANTED_ENGINE_NAME w64btrv)
  else()
    set(TX3_PLANTED_ENGINE_NAME WBTRV32)
  endif()
  add_library(tx3_planted_engine SHARED ${CMAKE_CURRENT_LIST_DIR}/planted_engine/planted_engine.cpp)
  set_target_properties(tx3_planted_engine PROPERTIES
    PREFIX "" OUTPUT_NAME ${TX3_PLANTED_ENGINE_NAME}
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/planted_engine)
  add_dependencies(tx3_e2e_tests tx3_planted_engine)
  # The tests find it in planted_engine\ beside their own bin\ folder.
  target_compile_definitions(tx3_e2e_tests PRIVATE
    TX3_PLANTED_ENGINE_FILE="$<TARGET_FILE_NAME:tx3_planted_engine>")
endif()
