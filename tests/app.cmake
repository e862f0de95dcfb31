# The application: its pure routines in-process, and the real tool driven
# end to end. The end-to-end cases share the service's registry value, so
# they run one at a time.
rt_gtest(app_test SOURCES app_test.cpp app_numbers_test.cpp tool_model_test.cpp LIBS app_lib tool_model)

add_executable(app_e2e_test app_e2e_test.cpp)
target_link_libraries(app_e2e_test PRIVATE tool_session gtest gtest_main)
set_target_properties(app_e2e_test PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
add_dependencies(app_e2e_test machine-list-export machine-list-export-traced)
gtest_discover_tests(app_e2e_test DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                     PROPERTIES TIMEOUT 180 RUN_SERIAL TRUE)

# A test copy of the tool that notes its shutdown (app_traced_main.cpp);
# nothing ships it.
add_executable(machine-list-export-traced WIN32 app_traced_main.cpp ${CMAKE_SOURCE_DIR}/app/resources/app.rc)
target_link_libraries(machine-list-export-traced PRIVATE app_lib)
# For every test program of this folder that carries the resource.
set_source_files_properties(${CMAKE_SOURCE_DIR}/app/resources/app.rc PROPERTIES OBJECT_DEPENDS ${APP_VERSION_H})
set_target_properties(machine-list-export-traced PROPERTIES LINK_FLAGS "-mwindows")
