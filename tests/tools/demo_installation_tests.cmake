add_test(NAME demo_installation
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/demo_installation_test.sh ${PROJECT_SOURCE_DIR} $<TARGET_FILE:florimant-cli>)
set_tests_properties(demo_installation PROPERTIES LABELS tools TIMEOUT 300)
