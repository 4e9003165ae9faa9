# Every window on a generated repertory three times the size of the built-in one.
telvarin_add_qtest(large_repertory_windows_test SOURCES LargeRepertoryWindowsTest.cpp LIBS ui)
