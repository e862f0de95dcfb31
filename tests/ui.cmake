# The window template, the unit framework and the basic units.
rt_gtest(ui_template_test SOURCES ui_template_test.cpp ui_blob_test.cpp LIBS app_lib rt_ui tool_model)
rt_gtest(ui_framework_test SOURCES ui_framework_test.cpp ui_units_test.cpp ui_property_guards_test.cpp ui_test_support.cpp LIBS rt_ui rt_driver DESKTOP)
rt_gtest(ui_main_window_test SOURCES ui_main_window_test.cpp ui_test_support.cpp LIBS app_lib rt_ui tool_model DESKTOP)
rt_gtest(ui_screen_fit_test SOURCES ui_screen_fit_test.cpp LIBS rt_ui)
