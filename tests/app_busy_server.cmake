# The real tool beside a writing server and against damaged or foreign
# tables. Like the other end-to-end cases they share the service's registry
# value, so they run one at a time.
add_executable(app_busy_server_e2e_test app_busy_server_e2e_test.cpp db_damage.cpp lock_holder.cpp)
target_link_libraries(app_busy_server_e2e_test PRIVATE tool_session gtest gtest_main)
set_target_properties(app_busy_server_e2e_test PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
add_dependencies(app_busy_server_e2e_test machine-list-export server_writer)
gtest_discover_tests(app_busy_server_e2e_test DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                     PROPERTIES TIMEOUT 180 RUN_SERIAL TRUE)
