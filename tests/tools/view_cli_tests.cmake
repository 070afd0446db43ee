# florimant-cli view: every view and state of the analysis canvas gives a PNG of the page, drawn
# and differing from state to state; bad options are refused on one line without a file.
find_program(PYTHON3 python3)
if(PYTHON3 AND TARGET florimant_export)
  add_test(NAME view_cli
    COMMAND ${PYTHON3} ${CMAKE_CURRENT_SOURCE_DIR}/view_cli_test.py $<TARGET_FILE:florimant-cli> ${PROJECT_SOURCE_DIR}/installation)
  set_tests_properties(view_cli PROPERTIES LABELS cli TIMEOUT 300 ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endif()
