# A fake runtime library ("desk") that records its calls, one with the exports and one
# without, plus the editor executable for the end-to-end tests.
if(TARGET test_app)
  foreach(_variant fake_desk fake_desk_noexport)
    add_library(${_variant} SHARED ${CMAKE_CURRENT_LIST_DIR}/fake_desk/fake_desk.cpp)
    target_link_libraries(${_variant} PRIVATE Qt6::Core)
    set_target_properties(${_variant} PROPERTIES OUTPUT_NAME desk PREFIX "${CMAKE_SHARED_LIBRARY_PREFIX}"
      LIBRARY_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/${_variant}
      RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/${_variant})
    add_dependencies(test_app ${_variant})
  endforeach()
  target_compile_definitions(fake_desk_noexport PRIVATE FAKE_WITHOUT_EXPORTS)
  target_compile_definitions(test_app PRIVATE
    TAVRIN_FAKE_DESK_DIR="${PROJECT_BINARY_DIR}/fake_desk"
    TAVRIN_FAKE_DESK_NOEXPORT_DIR="${PROJECT_BINARY_DIR}/fake_desk_noexport"
    TAVRIN_EDITOR="$<TARGET_FILE:tavrin-editor>")
  add_dependencies(test_app tavrin-editor)
endif()
