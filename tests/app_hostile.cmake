# The real tool against hostile databases, registry values and output
# files, and its resources over a long run. They share the service's
# registry value with tests/app.cmake, so they run one at a time; the
# full-disk case needs a small mount, which CTest sets up and takes away.
add_executable(app_hostile_test
  app_hostile_run.cpp app_hostile_db_test.cpp app_hostile_registry_test.cpp app_hostile_output_test.cpp
  app_hostile_resources_test.cpp)
target_link_libraries(app_hostile_test PRIVATE tool_session comdlg32 gtest gtest_main)
set_target_properties(app_hostile_test PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
add_dependencies(app_hostile_test machine-list-export)

set(small_disk ${CMAKE_BINARY_DIR}/wineprefix/drive_c/mle-full)
add_test(NAME hostile_small_disk_mount COMMAND ${CMAKE_SOURCE_DIR}/tools/small-disk.sh mount ${small_disk})
add_test(NAME hostile_small_disk_unmount COMMAND ${CMAKE_SOURCE_DIR}/tools/small-disk.sh unmount ${small_disk})
set_tests_properties(hostile_small_disk_mount PROPERTIES FIXTURES_SETUP small_disk)
set_tests_properties(hostile_small_disk_unmount PROPERTIES FIXTURES_CLEANUP small_disk)

gtest_discover_tests(app_hostile_test DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                     PROPERTIES TIMEOUT 600 RUN_SERIAL TRUE FIXTURES_REQUIRED small_disk)
