# Opening the results window.
telvarin_add_benchmark(results_window_bench QT_OFFSCREEN SOURCES ${CMAKE_CURRENT_LIST_DIR}/ResultsWindowBench.cpp LIBS ui)
