# The theme command tests run the deskcfg binary.
if(TARGET test_package AND TARGET deskcfg)
  add_dependencies(test_package deskcfg)
  target_compile_definitions(test_package PRIVATE TAVRIN_DESKCFG="$<TARGET_FILE:deskcfg>")
endif()
