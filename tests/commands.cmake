rt_gtest(commands_test
  SOURCES commands_text_test.cpp commands_registry_test.cpp commands_file_test.cpp
          commands_infobox_test.cpp
  LIBS rt_commands rt_driver DESKTOP)
rt_gtest(commands_registry_expand_test SOURCES commands_registry_expand_test.cpp LIBS rt_commands)
