# The reading texts regenerate to the committed files, and an independent script recomputes the
# aspect list, the dignity codes and the constitution counts of random charts from the printed
# longitudes and compares them with the program's.
find_program(PYTHON3 python3)
if(PYTHON3)
  add_test(NAME readings_texts
    COMMAND ${PYTHON3} ${PROJECT_SOURCE_DIR}/tools/readings-texts/generate_texts.py ${PROJECT_SOURCE_DIR}/installation --check)
  add_test(NAME readings_independent_check
    COMMAND ${PYTHON3} ${PROJECT_SOURCE_DIR}/tools/readings-texts/check_readings.py $<TARGET_FILE:florimant-cli> ${PROJECT_SOURCE_DIR}/installation 200 1)
  set_tests_properties(readings_texts readings_independent_check PROPERTIES LABELS tools TIMEOUT 600)
endif()
