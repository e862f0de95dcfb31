# A quick, untimed run of the benchmark's programs. It sets the service's
# registry value as the end-to-end cases do, so it runs alone.
add_executable(bench_smoke_test bench_smoke_test.cpp)
target_link_libraries(bench_smoke_test PRIVATE tool_session gtest gtest_main)
set_target_properties(bench_smoke_test PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
add_dependencies(bench_smoke_test bench_driver baselines machine-list-export)
gtest_discover_tests(bench_smoke_test DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                     PROPERTIES TIMEOUT 300 RUN_SERIAL TRUE)
