# Driving the real tool: the session library the end-to-end tests and the
# demo share, and the demo driver that run.sh starts without a display.
add_library(tool_session STATIC ${CMAKE_CURRENT_LIST_DIR}/driver/tool_session.cpp
            ${CMAKE_CURRENT_LIST_DIR}/driver/process_probe.cpp)
target_link_libraries(tool_session PUBLIC rt_driver tool_model sqlite3 comctl32 user32 advapi32 ntdll)

add_executable(demo_driver ${CMAKE_CURRENT_LIST_DIR}/demo/demo_driver.cpp)
target_link_libraries(demo_driver PRIVATE tool_session)
add_dependencies(demo_driver machine-list-export)
