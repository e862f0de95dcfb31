# A console program that writes the machine table the way the server does,
# for the end-to-end tests and the benchmark.
add_executable(server_writer ${CMAKE_CURRENT_LIST_DIR}/server_writer/server_writer.cpp)
target_link_libraries(server_writer PRIVATE sqlite3)
