# The Qt window's tests drive widgets with QTest (key presses, mouse clicks).
if(TARGET tx3_qt_tests)
  find_package(Qt6 REQUIRED COMPONENTS Test)
  target_link_libraries(tx3_qt_tests PRIVATE Qt6::Test)
endif()
