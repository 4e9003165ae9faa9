# The remedy overview window and the rules behind its controls.
telvarin_add_gtest(remedy_overview_form_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/RemedyOverviewFormTest.cpp LIBS ui)
telvarin_add_qtest(remedy_overview_window_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/RemedyOverviewWindowTest.cpp LIBS ui Qt6::PrintSupport)
