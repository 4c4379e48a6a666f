# Project-wide compiler settings. Our own targets link scrutor_options, which makes
# warnings errors; third-party sources compiled here keep their own warning level.
add_library(scrutor_options INTERFACE)
target_compile_options(scrutor_options INTERFACE -Wall -Wextra -Werror)

if(SCRUTOR_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

if(WIN32)
  # Windows headers: Unicode only, no min/max macros, Windows 7 API level.
  target_compile_definitions(scrutor_options INTERFACE
    UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0601)
  # One self-contained executable: no MinGW runtime DLLs to ship or to find under Wine.
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()

# Adds a GoogleTest executable and registers it as one test (one process per
# executable: each Wine process start costs seconds).
function(scrutor_add_test_executable name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE scrutor_options GTest::gtest GTest::gmock GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  # A hung program under test (a crash waiting on a debugger, a box nobody answers) must
  # fail the run, not hold it for CTest's default 25 minutes.
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "SCRUTOR_SOURCE_DIR=${PROJECT_SOURCE_DIR}"
    TIMEOUT 600)
endfunction()
