rt_gtest(db_test
  SOURCES db_gbk_utf8_test.cpp db_sqlite_db_test.cpp db_sqlite_table_test.cpp
          db_field_value_test.cpp db_alloc_test.cpp db_read_transaction_test.cpp
          db_read_outcome_test.cpp db_file_untouched_test.cpp db_damage.cpp db_test_support.cpp lock_holder.cpp
  LIBS rt_db sqlite3 rt_driver)
