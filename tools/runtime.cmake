# The runtime's test driver library and the small programs on the runtime
# that the end-to-end tests start.
add_library(rt_driver STATIC ${CMAKE_CURRENT_LIST_DIR}/driver/driver.cpp)
target_link_libraries(rt_driver PUBLIC user32 kernel32 shell32)

add_executable(runtime_scenario WIN32 ${CMAKE_CURRENT_LIST_DIR}/runtime_programs/runtime_scenario.cpp)
target_link_libraries(runtime_scenario PRIVATE rt_runtime)
set_target_properties(runtime_scenario PROPERTIES LINK_FLAGS "-mwindows")
