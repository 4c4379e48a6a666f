# PCRE2 (16-bit), GoogleTest and Google Benchmark.

# PCRE2: the system library natively; for MinGW a static build that
# tools/setup/build-pcre2.sh made under PCRE2_ROOT.
if(WIN32)
  if(NOT PCRE2_ROOT)
    message(FATAL_ERROR "Set PCRE2_ROOT to the MinGW PCRE2 install (tools/setup/build-pcre2.sh)")
  endif()
  # A build folder configured against another PCRE2_ROOT must not keep the old library.
  foreach(found PCRE2_INCLUDE_DIR PCRE2_LIBRARY)
    string(FIND "${${found}}" "${PCRE2_ROOT}/" at)
    if(NOT at EQUAL 0)
      unset(${found} CACHE)
    endif()
  endforeach()
  find_path(PCRE2_INCLUDE_DIR pcre2.h PATHS ${PCRE2_ROOT}/include NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
  find_library(PCRE2_LIBRARY pcre2-16 PATHS ${PCRE2_ROOT}/lib NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
  add_library(pcre2_16 STATIC IMPORTED GLOBAL)
  set_target_properties(pcre2_16 PROPERTIES IMPORTED_LOCATION ${PCRE2_LIBRARY})
  target_compile_definitions(pcre2_16 INTERFACE PCRE2_STATIC)
else()
  find_path(PCRE2_INCLUDE_DIR pcre2.h REQUIRED)
  find_library(PCRE2_LIBRARY pcre2-16 REQUIRED)
  add_library(pcre2_16 UNKNOWN IMPORTED GLOBAL)
  set_target_properties(pcre2_16 PROPERTIES IMPORTED_LOCATION ${PCRE2_LIBRARY})
endif()
target_include_directories(pcre2_16 INTERFACE ${PCRE2_INCLUDE_DIR})
target_compile_definitions(pcre2_16 INTERFACE PCRE2_CODE_UNIT_WIDTH=16)

# GoogleTest from Debian's source package, compiled by each build.
set(SCRUTOR_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest source tree")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${SCRUTOR_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

if(SCRUTOR_BENCHMARKS AND NOT WIN32)
  find_package(benchmark REQUIRED)
endif()
