# The splash window and its picture.
target_sources(ui PRIVATE ${CMAKE_CURRENT_LIST_DIR}/SplashWindow.cpp ${CMAKE_CURRENT_LIST_DIR}/SplashWindow.h)
telvarin_add_pictures("splash" 0 images splash)
