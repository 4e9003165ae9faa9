# The settings dialog and its font preview list.
target_sources(ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/FontPreviewList.cpp ${CMAKE_CURRENT_LIST_DIR}/FontPreviewList.h
    ${CMAKE_CURRENT_LIST_DIR}/SettingsDialog.cpp ${CMAKE_CURRENT_LIST_DIR}/SettingsDialog.h
    ${CMAKE_CURRENT_LIST_DIR}/SettingsDialogRules.cpp ${CMAKE_CURRENT_LIST_DIR}/SettingsDialogRules.h)
