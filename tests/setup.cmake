# Set-up's choice of packages and build path, against stand-in package
# managers: runs on the build machine itself, not under Wine.
add_test(NAME SetupDecision COMMAND bash ${CMAKE_SOURCE_DIR}/tests/setup_decision_test.sh)
set_tests_properties(SetupDecision PROPERTIES TIMEOUT 60)
