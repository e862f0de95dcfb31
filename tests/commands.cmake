rt_gtest(commands_test
  SOURCES commands_text_test.cpp
  LIBS rt_commands)
