# The program itself: a thin main over the windows of the library "ui".
add_executable(telvarin ${CMAKE_CURRENT_SOURCE_DIR}/main.cpp)
target_link_libraries(telvarin PRIVATE ui telvarin_options)
# A window program on Windows: no console opens beside it.
set_target_properties(telvarin PROPERTIES WIN32_EXECUTABLE ON)
target_sources(ui PRIVATE
    ${CMAKE_CURRENT_SOURCE_DIR}/ApplicationStart.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/ApplicationStart.h
    ${CMAKE_CURRENT_SOURCE_DIR}/StartupMessages.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/StartupMessages.h
    ${CMAKE_CURRENT_SOURCE_DIR}/ProgramArguments.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/ProgramArguments.h
    ${CMAKE_CURRENT_SOURCE_DIR}/ProgramStart.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/ProgramStart.h)
# Where the repertories lie: installed, in the build tree (the shipped one), and the user's own.
target_sources(ui PRIVATE
    ${CMAKE_CURRENT_SOURCE_DIR}/RepertoryPlaces.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/RepertoryPlaces.h
    ${CMAKE_CURRENT_SOURCE_DIR}/PracticeFolderDialog.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/PracticeFolderDialog.h)
target_link_libraries(ui PRIVATE repertory_kent_de)
