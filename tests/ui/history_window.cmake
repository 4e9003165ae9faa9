# The case history window and the rules of its tree entries.
telvarin_add_gtest(history_entries_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/HistoryEntriesTest.cpp LIBS ui)
telvarin_add_qtest(history_window_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/HistoryWindowTest.cpp LIBS ui)
telvarin_add_qtest(file_case_dialog_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/FileCaseDialogTest.cpp LIBS ui)
if(TELVARIN_PRACTICE_SERVER)
    telvarin_add_qtest(practice_server_window_test
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/PracticeServerWindowTest.cpp LIBS ui)
    set_tests_properties(practice_server_window_test PROPERTIES LABELS server RESOURCE_LOCK practice_server)
endif()
