# The results window, its cross table and the file-case dialog behind "&Ablegen".
target_sources(ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/FileCaseDialog.cpp ${CMAKE_CURRENT_LIST_DIR}/FileCaseDialog.h
    ${CMAKE_CURRENT_LIST_DIR}/ResultsTableModel.cpp ${CMAKE_CURRENT_LIST_DIR}/ResultsTableModel.h
    ${CMAKE_CURRENT_LIST_DIR}/ResultsWindow.cpp ${CMAKE_CURRENT_LIST_DIR}/ResultsWindow.h)
target_link_libraries(ui PUBLIC analysis history)
# Saving a table as a CSV file, shared with the remedy overview and the text search.
target_sources(ui PRIVATE ${CMAKE_CURRENT_LIST_DIR}/TableSaving.cpp ${CMAKE_CURRENT_LIST_DIR}/TableSaving.h)
# What prints of the results and the remedy overview share: Ctrl+P, the page title, "Druckmittel".
target_sources(ui PRIVATE ${CMAKE_CURRENT_LIST_DIR}/TablePrinting.cpp ${CMAKE_CURRENT_LIST_DIR}/TablePrinting.h)
