# The symptom tree search and the text search.
telvarin_add_qtest(symptom_search_window_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/SymptomSearchWindowTest.cpp LIBS ui repertory_kent_de)
telvarin_add_qtest(text_search_window_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/TextSearchWindowTest.cpp LIBS ui)
