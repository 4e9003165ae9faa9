# The remedy overview window and the rules behind its controls.
target_sources(ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/RemedyOverviewForm.cpp ${CMAKE_CURRENT_LIST_DIR}/RemedyOverviewForm.h
    ${CMAKE_CURRENT_LIST_DIR}/RemedyOverviewWindow.cpp ${CMAKE_CURRENT_LIST_DIR}/RemedyOverviewWindow.h)
target_link_libraries(ui PUBLIC analysis)
