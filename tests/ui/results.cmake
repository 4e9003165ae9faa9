# The results window, its cross table and the file-case dialog.
telvarin_add_gtest(results_table_model_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/ResultsTableModelTest.cpp LIBS ui)
telvarin_add_qtest(results_window_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/ResultsWindowTest.cpp LIBS ui Qt6::PrintSupport)
