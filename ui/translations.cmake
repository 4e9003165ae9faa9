# The toolkit's German translations, installed at start.
target_sources(ui PRIVATE ${CMAKE_CURRENT_LIST_DIR}/Translations.cpp ${CMAKE_CURRENT_LIST_DIR}/Translations.h)
