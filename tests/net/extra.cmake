# The command-line tests run the deskcfg binary.
if(TARGET test_net AND TARGET deskcfg)
  add_dependencies(test_net deskcfg)
endif()
