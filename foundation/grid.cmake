# The table grid of every window.
target_sources(foundation PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/GridCellStore.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GridSortKeys.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GridPainter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GridPrinter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TableGrid.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TableGridInput.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TitleTip.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TableGrid.h
    ${CMAKE_CURRENT_LIST_DIR}/TitleTip.h)
