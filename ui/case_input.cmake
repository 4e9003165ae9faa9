# The case input window, its case table and the question window.
target_sources(ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/CaseGrid.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CaseGrid.h
    ${CMAKE_CURRENT_LIST_DIR}/CaseInputWindow.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CaseInputWindow.h
    ${CMAKE_CURRENT_LIST_DIR}/QuestionWindow.cpp
    ${CMAKE_CURRENT_LIST_DIR}/QuestionWindow.h)
target_link_libraries(ui PUBLIC analysis history)
