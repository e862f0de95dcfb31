# The unit framework's fatal reports, end to end: a small program on the
# framework (built into bin/ with the other programs) and the test that
# starts it and answers its report box.
add_executable(ui_fatal_program WIN32 ui_fatal_program.cpp ui_test_support.cpp)
target_link_libraries(ui_fatal_program PRIVATE rt_ui)
set_target_properties(ui_fatal_program PROPERTIES LINK_FLAGS "-mwindows")
# Each report case starts a program: the table of seven takes its time.
rt_gtest(ui_fatal_test SOURCES ui_fatal_test.cpp LIBS rt_driver DESKTOP TIMEOUT 360)
add_dependencies(ui_fatal_test ui_fatal_program)
