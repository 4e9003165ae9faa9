telvarin_add_qtest(translations_test SOURCES TranslationsTest.cpp LIBS ui)
