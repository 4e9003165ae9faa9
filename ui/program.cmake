# The program itself: a thin main over the windows of the library "ui".
add_executable(telvarin ${CMAKE_CURRENT_SOURCE_DIR}/main.cpp)
target_link_libraries(telvarin PRIVATE ui telvarin_options)
target_sources(ui PRIVATE
    ${CMAKE_CURRENT_SOURCE_DIR}/ApplicationStart.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/ApplicationStart.h
    ${CMAKE_CURRENT_SOURCE_DIR}/StartupMessages.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/StartupMessages.h
    ${CMAKE_CURRENT_SOURCE_DIR}/ProgramArguments.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/ProgramArguments.h
    ${CMAKE_CURRENT_SOURCE_DIR}/ProgramStart.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/ProgramStart.h)
