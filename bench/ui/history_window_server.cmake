# Opening the case history window on a practice server of 10,000 cases (needs a server, see
# HistoryWindowServerBench.cpp).
if(TELVARIN_PRACTICE_SERVER)
    telvarin_add_benchmark(history_window_server_bench
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/HistoryWindowServerBench.cpp LIBS ui history_stores)
endif()
