# The atlas writer's own tests (tools/atlas-writer): synthetic tables, and the shipped files
# regenerated from the committed tables.
if(TARGET atlas_writer_test)
  add_test(NAME atlas_writer COMMAND atlas_writer_test)
  set_tests_properties(atlas_writer PROPERTIES LABELS tools)
endif()

# The program's corrections from the shipped atlas against the IANA database read by zdump.
find_program(_node node)
find_program(_zdump zdump)
if(_node AND _zdump AND TARGET florimant-cli)
  add_test(NAME atlas_zdump
    COMMAND ${_node} ${CMAKE_CURRENT_LIST_DIR}/atlas-writer_zdump.mjs $<TARGET_FILE:florimant-cli> ${PROJECT_SOURCE_DIR} 300)
  set_tests_properties(atlas_zdump PROPERTIES LABELS tools TIMEOUT 600)
endif()
