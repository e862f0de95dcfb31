# Readers of property bytes under truncation and random changes.
rt_gtest(blob_fuzz_test SOURCES blob_fuzz_test.cpp LIBS rt_ui ole32)
