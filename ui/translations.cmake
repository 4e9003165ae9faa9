# The toolkit's German translations, installed at start.
target_sources(ui PRIVATE ${CMAKE_CURRENT_LIST_DIR}/Translations.cpp ${CMAKE_CURRENT_LIST_DIR}/Translations.h)
# A Windows program carries its Qt inside and has no Qt folder to look in: Qt's German texts
# (the ones of its own module, Qt Base, the only one the program uses) are compiled in.
if(WIN32)
    set(telvarin_qt_german ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_TRANSLATIONS}/qtbase_de.qm)
    if(NOT EXISTS ${telvarin_qt_german})
        message(FATAL_ERROR "Qt's German texts are missing: ${telvarin_qt_german}")
    endif()
    qt_add_resources(ui "qt_translations" PREFIX "/translations" BASE ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_TRANSLATIONS}
        FILES ${telvarin_qt_german})
endif()
