# Included by run.sh at the end of the top-level project() call
# (CMAKE_PROJECT_Scrutor_INCLUDE): defines the benchmark once the rest of the tree is
# configured, so that it builds without being part of the ordinary tree. A deferred call reads
# its variables when it runs, hence the variable of our own.
set(SCRUTOR_MD5_BENCH_FILE ${CMAKE_CURRENT_LIST_DIR}/md5_bench.cmake)
cmake_language(DEFER CALL include ${SCRUTOR_MD5_BENCH_FILE})
