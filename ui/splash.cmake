# The splash window and its picture.
target_sources(ui PRIVATE ${CMAKE_CURRENT_LIST_DIR}/SplashWindow.cpp ${CMAKE_CURRENT_LIST_DIR}/SplashWindow.h)
qt_add_resources(ui "splash"
    PREFIX "/"
    BASE ${PROJECT_SOURCE_DIR}/data
    FILES ${PROJECT_SOURCE_DIR}/data/images/splash.svg)
