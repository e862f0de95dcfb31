# The shipped program's file: its version information and manifest, read
# from the built .exe.
rt_gtest(app_resources_test SOURCES app_resources_test.cpp LIBS rt_driver version)
add_dependencies(app_resources_test machine-list-export)
