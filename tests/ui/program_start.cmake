# The choice of the repertory at start-up.
telvarin_add_qtest(program_start_test SOURCES ProgramStartTest.cpp LIBS ui)
