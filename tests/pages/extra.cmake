# The area window lives in the app library; its tests sit with the pages it hosts.
if(TARGET test_pages)
  target_link_libraries(test_pages PRIVATE app)
endif()
