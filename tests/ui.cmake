# The window template, the unit framework and the basic units.
rt_gtest(ui_template_test SOURCES ui_template_test.cpp ui_blob_test.cpp LIBS app_lib rt_ui)
