rt_gtest(listview_reflect_test SOURCES listview_reflect_test.cpp listview_unit_host.cpp LIBS rt_ui DESKTOP)
