# The program's texts at the Win32 boundary: GBK inside, UTF-16 with code
# page 936 named at every call that carries text.
add_test(NAME ProgramCode.CallsNoFunctionOfTheSystemCodePage
         COMMAND bash ${CMAKE_SOURCE_DIR}/tests/no_ansi_calls_test.sh ${CMAKE_NM}
                 $<TARGET_FILE:rt_runtime> $<TARGET_FILE:rt_ui> $<TARGET_FILE:rt_db>
                 $<TARGET_FILE:rt_commands> $<TARGET_FILE:app_lib> $<TARGET_FILE:sqlite3>)
set_tests_properties(ProgramCode.CallsNoFunctionOfTheSystemCodePage PROPERTIES TIMEOUT 60)
