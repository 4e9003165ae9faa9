# The case history window and the widget-free rules of its tree entries.
target_sources(ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/HistoryEntries.cpp ${CMAKE_CURRENT_LIST_DIR}/HistoryEntries.h
    ${CMAKE_CURRENT_LIST_DIR}/HistoryWindow.cpp ${CMAKE_CURRENT_LIST_DIR}/HistoryWindow.h)
target_link_libraries(ui PUBLIC history)
