# The Qt window's tests drive widgets with QTest (key presses, mouse clicks).
if(TARGET tx3_qt_tests)
  find_package(Qt6 REQUIRED COMPONENTS Test)
  target_link_libraries(tx3_qt_tests PRIVATE Qt6::Test)
endif()

# The window at 200 %: inside the offscreen platform's screen, scrolling what does not fit.
if(TARGET tx3_qt_tests)
  add_test(NAME QtWindowAt200Percent
           COMMAND tx3_qt_tests --gtest_filter=TextSize/QtWindowFitTest.*)
  set_tests_properties(QtWindowAt200Percent PROPERTIES
                       ENVIRONMENT "QT_SCALE_FACTOR=2;QT_QPA_PLATFORM=offscreen" TIMEOUT 600)
endif()
