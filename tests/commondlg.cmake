rt_gtest(commondlg_test
  SOURCES commondlg_filter_test.cpp commondlg_unit_test.cpp listview_unit_host.cpp
  LIBS app_lib rt_ui rt_driver DESKTOP)
