# Screenshots of the main windows under a real X server with a window manager, written to
# build/screenshots/; skipped where Xvfb, openbox, xdotool or ImageMagick are missing.
add_test(NAME ui_screenshots
         COMMAND ${CMAKE_CURRENT_LIST_DIR}/screenshots.sh $<TARGET_FILE:telvarin> ${CMAKE_BINARY_DIR}/screenshots)
set_tests_properties(ui_screenshots PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 180 RUN_SERIAL TRUE)
