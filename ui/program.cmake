# The program itself: a thin main over the windows of the library "ui".
add_executable(telvarin ${CMAKE_CURRENT_SOURCE_DIR}/main.cpp)
target_link_libraries(telvarin PRIVATE ui telvarin_options)
# A window program on Windows: no console opens beside it. Its Qt is linked in, so the symbols
# are left out of a Release build's file.
set_target_properties(telvarin PROPERTIES WIN32_EXECUTABLE ON)
if(WIN32)
    target_link_options(telvarin PRIVATE $<$<CONFIG:Release>:-s>)
endif()
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
# The program file's icon in the Explorer and the start menu: the prepared sizes packed into an
# icon file by the picture program of the build machine.
if(WIN32 AND TELVARIN_PICTURE_RENDERER)
    set(telvarin_program_icon_files)
    foreach(size IN ITEMS 16 24 32 48 64 128 256)
        list(APPEND telvarin_program_icon_files ${PROJECT_SOURCE_DIR}/data/icons/telvarin-${size}.png)
    endforeach()
    set(telvarin_program_icon ${CMAKE_CURRENT_BINARY_DIR}/telvarin.ico)
    add_custom_command(
        OUTPUT ${telvarin_program_icon}
        COMMAND ${TELVARIN_PICTURE_RENDERER} --icon ${telvarin_program_icon} ${telvarin_program_icon_files}
        DEPENDS ${telvarin_program_icon_files} ${TELVARIN_PICTURE_RENDERER}
        COMMENT "Packing the program icon"
        VERBATIM)
    file(CONFIGURE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/telvarin.rc
        CONTENT "1 ICON \"${telvarin_program_icon}\"\n")
    set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/telvarin.rc PROPERTIES OBJECT_DEPENDS ${telvarin_program_icon})
    target_sources(telvarin PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/telvarin.rc)
endif()
