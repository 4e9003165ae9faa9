# The settings dialog, its font preview list and the rules of its fields.
telvarin_add_qtest(settings_dialog_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/SettingsDialogTest.cpp LIBS ui)
