# Every window reached by keyboard alone and named for screen readers.
telvarin_add_qtest(window_accessibility_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/WindowAccessibilityTest.cpp LIBS ui)
