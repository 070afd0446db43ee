# The manuals, the handout and the update texts regenerate to the committed files, and the update
# texts are Windows-1252 lines ended by CR LF.
if(TARGET manuals-generate)
  add_test(NAME manuals
    COMMAND bash ${PROJECT_SOURCE_DIR}/tools/manuals/check.sh ${PROJECT_SOURCE_DIR} $<TARGET_FILE:manuals-generate>)
  set_tests_properties(manuals PROPERTIES LABELS tools TIMEOUT 300)
endif()
