# florimant-cli sheet and picture: every output format gives a valid file, metafiles play back,
# damaged pictures and bad options are refused without leaving files behind.
find_program(PYTHON3 python3)
if(PYTHON3 AND TARGET florimant_export)
  add_test(NAME drawing_cli
    COMMAND ${PYTHON3} ${CMAKE_CURRENT_SOURCE_DIR}/drawing_cli_test.py $<TARGET_FILE:florimant-cli> ${PROJECT_SOURCE_DIR}/installation)
  set_tests_properties(drawing_cli PROPERTIES LABELS cli TIMEOUT 300 ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endif()
