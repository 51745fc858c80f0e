# The helper process of the profile engine's crash and concurrency tests.
if(TARGET tx3_platform_tests AND NOT WIN32)
  add_executable(tx3_profile_writer ${CMAKE_CURRENT_LIST_DIR}/posix/child/profile_writer.cpp)
  target_link_libraries(tx3_profile_writer PRIVATE tx3_platform)
  add_dependencies(tx3_platform_tests tx3_profile_writer)
endif()
