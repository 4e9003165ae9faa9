# The symptom tree search and the text search, modeless windows of the case input window.
target_sources(ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/CrossReferenceMenu.cpp ${CMAKE_CURRENT_LIST_DIR}/CrossReferenceMenu.h
    ${CMAKE_CURRENT_LIST_DIR}/RepertoryTreeModel.cpp ${CMAKE_CURRENT_LIST_DIR}/RepertoryTreeModel.h
    ${CMAKE_CURRENT_LIST_DIR}/SearchWindowRules.cpp ${CMAKE_CURRENT_LIST_DIR}/SearchWindowRules.h
    ${CMAKE_CURRENT_LIST_DIR}/SymptomSearchWindow.cpp ${CMAKE_CURRENT_LIST_DIR}/SymptomSearchWindow.h
    ${CMAKE_CURRENT_LIST_DIR}/TextSearchWindow.cpp ${CMAKE_CURRENT_LIST_DIR}/TextSearchWindow.h)
target_link_libraries(ui PUBLIC analysis)
