# Release settings shared by every build.

# Two builds of one commit give byte-identical programs, wherever the tree and the build
# folder lie: no link time stamp, and no absolute paths in debug info or __FILE__. GCC
# tries the last map first, so the build folder (inside the tree) comes after the tree.
if(WIN32)
  add_compile_options(
    "$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.>"
    "$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${PROJECT_BINARY_DIR}=build>")
  add_link_options(-Wl,--no-insert-timestamp)
endif()

# The project() version, as the Windows resources and the packages write it.
set(SCRUTOR_VERSION_QUAD
  "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0")
