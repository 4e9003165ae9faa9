# The case history window and the widget-free rules of its tree entries.
target_sources(ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/HistoryEntries.cpp ${CMAKE_CURRENT_LIST_DIR}/HistoryEntries.h
    ${CMAKE_CURRENT_LIST_DIR}/HistoryTree.cpp ${CMAKE_CURRENT_LIST_DIR}/HistoryTree.h
    ${CMAKE_CURRENT_LIST_DIR}/HistoryWindow.cpp ${CMAKE_CURRENT_LIST_DIR}/HistoryWindow.h)
target_link_libraries(ui PUBLIC history)
# The practice server: the history reached through history_stores, its password from the desktop's
# keyring (qtkeychain) where that is installed.
target_sources(ui PRIVATE ${CMAKE_CURRENT_LIST_DIR}/PracticeServer.cpp ${CMAKE_CURRENT_LIST_DIR}/PracticeServer.h)
target_link_libraries(ui PUBLIC history_stores)
find_package(Qt6Keychain QUIET)
if(Qt6Keychain_FOUND)
    target_link_libraries(ui PRIVATE qt6keychain)
    target_compile_definitions(ui PRIVATE TELVARIN_KEYRING)
endif()
