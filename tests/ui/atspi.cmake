# The case table and the results table as a screen reader sees them: through AT-SPI, under a
# private D-Bus session and a real X server; skipped where the tools are missing.
add_test(NAME ui_atspi
         COMMAND ${CMAKE_CURRENT_LIST_DIR}/atspi.sh $<TARGET_FILE:telvarin> ${CMAKE_CURRENT_LIST_DIR}/atspi_tables.py)
set_tests_properties(ui_atspi PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 180 RUN_SERIAL TRUE)
