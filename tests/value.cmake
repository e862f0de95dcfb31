rt_gtest(value_test SOURCES value_test.cpp LIBS)
