# The case input window, its case table, the question window and the process start.
telvarin_add_qtest(case_input_window_test SOURCES CaseInputWindowTest.cpp LIBS ui)
