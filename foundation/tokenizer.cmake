# The tokenizer and its exceptions, part of foundation_core.
target_sources(foundation_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/Tokenizer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TokenizerExceptions.cpp
)
