# The release as the tree makes it: its archive built (tools/release/package.py,
# a second or two), what would make two builds of one commit differ
# (release_build_test.py), and the archive as a user gets it, unpacked into
# a Chinese folder in the tests' prefix and run there against the demo
# server (release_archive_test.cpp). The release is the 32-bit program:
# a 64-bit tree has none of these tests.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(release_zip ${CMAKE_BINARY_DIR}/dist/machine-list-export-${PROJECT_VERSION}-win32.zip)
  set(drive_c ${CMAKE_BINARY_DIR}/wineprefix/drive_c)

  add_test(NAME release_archive
           COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tools/release/package.py ${CMAKE_BINARY_DIR}
                   ${CMAKE_BINARY_DIR}/dist)
  set_tests_properties(release_archive PROPERTIES FIXTURES_SETUP release_archive TIMEOUT 60)

  add_test(NAME ReleaseBuild COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/release_build_test.py
                                     ${CMAKE_BINARY_DIR} -v)
  set_tests_properties(ReleaseBuild PROPERTIES FIXTURES_REQUIRED release_archive TIMEOUT 60)

  add_test(NAME release_unpack COMMAND sh -c
           "rm -rf \"$1/工具\" && mkdir -p \"$1/工具\" \"$1/mle_release_demo/config\" &&
            \"$2\" -m zipfile -e \"$3\" \"$1/工具\" &&
            \"$2\" \"$4\" \"$1/mle_release_demo/config/quillnode.db\""
           sh ${drive_c} ${Python3_EXECUTABLE} ${release_zip} ${CMAKE_SOURCE_DIR}/tools/make_demo_db.py)
  set_tests_properties(release_unpack PROPERTIES FIXTURES_SETUP release_unpacked
                       FIXTURES_REQUIRED release_archive TIMEOUT 60)

  add_executable(release_archive_test release_archive_test.cpp)
  target_link_libraries(release_archive_test PRIVATE tool_session bcrypt version gtest gtest_main)
  set_target_properties(release_archive_test PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  add_dependencies(release_archive_test machine-list-export)
  # It sets the service's registry value, as the other end-to-end cases do.
  gtest_discover_tests(release_archive_test DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       PROPERTIES TIMEOUT 180 RUN_SERIAL TRUE FIXTURES_REQUIRED release_unpacked)
endif()
