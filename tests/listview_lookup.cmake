# How a list view's object is found from its control.
rt_gtest(listview_lookup_test SOURCES listview_lookup_test.cpp listview_unit_host.cpp LIBS rt_ui DESKTOP)
