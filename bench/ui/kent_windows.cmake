# The windows on the shipped German Kent, from the click or keystroke to the painted window.
telvarin_add_benchmark(kent_windows_bench
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/KentWindowsBench.cpp LIBS ui Qt6::Test Qt6::PrintSupport repertory_kent_de)
