# The windows on a generated repertory three times the size of the built-in one.
telvarin_add_benchmark(large_repertory_windows_bench QT_OFFSCREEN
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/LargeRepertoryWindowsBench.cpp LIBS ui)
