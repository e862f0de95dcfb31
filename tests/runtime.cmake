# The runtime core: in-process tests of the value model, the heap, the
# notify door, start-up and the message loop; end-to-end tests that start
# programs on the runtime and drive them from outside.
rt_gtest(runtime_test
  SOURCES runtime_value_test.cpp runtime_notify_test.cpp runtime_path_test.cpp
          runtime_fatal_text_test.cpp runtime_loop_test.cpp runtime_ole_test.cpp
          runtime_arg_read_test.cpp
  LIBS rt_runtime)
rt_gtest(runtime_driver_test SOURCES runtime_driver_test.cpp LIBS rt_driver DESKTOP)
# The programs it starts are found beside the tree's other programs (bin/).
add_dependencies(runtime_driver_test runtime_scenario machine-list-export)
