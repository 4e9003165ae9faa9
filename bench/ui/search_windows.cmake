# Opening the symptom tree search and the text search, and one keystroke of the text search.
telvarin_add_benchmark(search_windows_bench QT_OFFSCREEN SOURCES ${CMAKE_CURRENT_LIST_DIR}/SearchWindowsBench.cpp LIBS ui)
