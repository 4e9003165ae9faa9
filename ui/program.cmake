target_sources(ui PRIVATE ProgramPlaceholder.cpp)
