# The button pictures, the program icon and the question icon, compiled into the program.
set(telvarin_button_pictures
    calculate quit help case-history text-search tree-search remedy-overview settings back print
    file-case new-case take-over add search ok delete order-by-date order-by-name export import)
set(telvarin_pictures telvarin question)
foreach(picture IN LISTS telvarin_button_pictures)
    list(APPEND telvarin_pictures ${picture} ${picture}-hover)
endforeach()
set(telvarin_icon_files)
foreach(size IN ITEMS 16 24 32 48 64 128 256)
    list(APPEND telvarin_icon_files ${PROJECT_SOURCE_DIR}/data/icons/telvarin-${size}.png)
endforeach()

target_sources(ui PRIVATE ${CMAKE_CURRENT_LIST_DIR}/IconSet.cpp ${CMAKE_CURRENT_LIST_DIR}/IconSet.h)
# Buttons and the question window show them at 32 pixels at most.
telvarin_add_pictures("pictures" 32 icons ${telvarin_pictures})
qt_add_resources(ui "icons" PREFIX "/" BASE ${PROJECT_SOURCE_DIR}/data FILES ${telvarin_icon_files})

# The help window and its German pages, one page per help topic.
set(telvarin_help_files)
foreach(topic IN ITEMS 13 14 15 16 17 18 19 23 30)
    list(APPEND telvarin_help_files ${PROJECT_SOURCE_DIR}/data/help/topic-${topic}.html)
endforeach()
target_sources(ui PRIVATE ${CMAKE_CURRENT_LIST_DIR}/HelpWindow.cpp ${CMAKE_CURRENT_LIST_DIR}/HelpWindow.h)
qt_add_resources(ui "help" PREFIX "/" BASE ${PROJECT_SOURCE_DIR}/data FILES ${telvarin_help_files})
