# The atlas writer's own tests (tools/atlas-writer): synthetic tables, and the shipped files
# regenerated from the committed tables.
if(TARGET atlas_writer_test)
  add_test(NAME atlas_writer COMMAND atlas_writer_test)
  set_tests_properties(atlas_writer PROPERTIES LABELS tools)
endif()
