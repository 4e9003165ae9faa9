# Settings store, window persistence, the resizable dialog layout and the dialog base.
target_sources(foundation PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/SettingsStore.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SettingsStore.h
    ${CMAKE_CURRENT_LIST_DIR}/MainSettings.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MainSettings.h
    ${CMAKE_CURRENT_LIST_DIR}/WindowPersistence.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WindowPersistence.h
    ${CMAKE_CURRENT_LIST_DIR}/DynamicLayout.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DynamicLayout.h
    ${CMAKE_CURRENT_LIST_DIR}/MessageBoxes.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MessageBoxes.h
    ${CMAKE_CURRENT_LIST_DIR}/IconPushButton.cpp
    ${CMAKE_CURRENT_LIST_DIR}/IconPushButton.h
    ${CMAKE_CURRENT_LIST_DIR}/DialogBase.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DialogBase.h
    ${CMAKE_CURRENT_LIST_DIR}/HelpViewer.h
)
