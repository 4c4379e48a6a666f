# The md5_bench target; included by CMakeLists.txt here, or by standalone.cmake.
if(SCRUTOR_WINDOWS)
  add_executable(md5_bench ${CMAKE_CURRENT_LIST_DIR}/md5_bench.cpp)
  target_link_libraries(md5_bench PRIVATE scrutor_foundation_win scrutor_options shell32)
endif()
