rt_gtest(listview_test
  SOURCES listview_data_test.cpp listview_unit_test.cpp listview_commands_test.cpp listview_unit_host.cpp
  LIBS rt_ui tool_model DESKTOP)
