# The symbol pictures (tools/symbol-pictures): every name the program asks for is installed and
# plays back, the committed files regenerate byte for byte from the committed outline table, and
# the table regenerates from the pinned font.
if(TARGET symbol_pictures_test)
  add_test(NAME symbol_pictures COMMAND symbol_pictures_test)
  set_tests_properties(symbol_pictures PROPERTIES LABELS tools ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endif()
