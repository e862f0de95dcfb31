# The program's texts at the Win32 boundary: GBK inside, UTF-16 with code
# page 936 named at every call that carries text. The boundary's own test
# and the database units' run at every system code page the tool meets.
rt_gtest(text_boundary_test SOURCES text_boundary_test.cpp ui_test_support.cpp
         LIBS rt_ui rt_commands rt_driver advapi32 DESKTOP)
rt_codepage_runs(text_boundary_test DESKTOP)
rt_codepage_runs(db_test)

# No function of the system code page in the program's own code.
add_test(NAME ProgramCode.CallsNoFunctionOfTheSystemCodePage
         COMMAND bash ${CMAKE_SOURCE_DIR}/tests/no_ansi_calls_test.sh ${CMAKE_NM}
                 $<TARGET_FILE:rt_runtime> $<TARGET_FILE:rt_ui> $<TARGET_FILE:rt_db>
                 $<TARGET_FILE:rt_commands> $<TARGET_FILE:app_lib> $<TARGET_FILE:sqlite3>)
set_tests_properties(ProgramCode.CallsNoFunctionOfTheSystemCodePage PROPERTIES TIMEOUT 60)

# Conversions and code pages only in the boundary, and no control in the
# runtime: the program's libraries as compiled, and their sources.
add_test(NAME ProgramCode.ConvertsTextOnlyAtTheBoundary
         COMMAND bash ${CMAKE_SOURCE_DIR}/tests/conversion_calls_test.sh ${CMAKE_NM} ${CMAKE_SOURCE_DIR}
                 $<TARGET_FILE:rt_runtime> $<TARGET_FILE:rt_ui> $<TARGET_FILE:rt_db>
                 $<TARGET_FILE:rt_commands> $<TARGET_FILE:app_lib>)
set_tests_properties(ProgramCode.ConvertsTextOnlyAtTheBoundary PROPERTIES TIMEOUT 60)
