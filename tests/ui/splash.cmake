# The splash window, built from its source here, so that its test does not wait for every other
# window of the library "ui". It draws the SVG picture, so it is left out where Qt has no SVG.
if(NOT TELVARIN_SVG_PICTURES)
    return()
endif()
telvarin_add_qtest(splash_window_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/SplashWindowTest.cpp ${PROJECT_SOURCE_DIR}/ui/SplashWindow.cpp
            ${PROJECT_SOURCE_DIR}/ui/SplashWindow.h
    LIBS settings Qt6::Svg)
target_compile_definitions(splash_window_test PRIVATE TELVARIN_SVG_PICTURES=1)
qt_add_resources(splash_window_test "splash_test_resources"
    PREFIX "/"
    BASE ${PROJECT_SOURCE_DIR}/data
    FILES ${PROJECT_SOURCE_DIR}/data/images/splash.svg)
