# Start to a ready case input window, and one entry typed into the case table.
telvarin_add_benchmark(case_input_bench SOURCES CaseInputBench.cpp LIBS ui Qt6::Test)
