# The manuals, the handout and the update texts regenerate to the committed files, and the update
# texts are Windows-1252 lines ended by CR LF (the checks are written in Python).
find_program(PYTHON3 python3)
if(TARGET manuals-generate AND PYTHON3)
  add_test(NAME manuals
    COMMAND bash ${PROJECT_SOURCE_DIR}/tools/manuals/check.sh ${PROJECT_SOURCE_DIR} $<TARGET_FILE:manuals-generate>)
  set_tests_properties(manuals PROPERTIES LABELS tools TIMEOUT 300)
endif()
