# The model of what the tool shows and writes (tools/model/tool_model.py),
# for the tests and tools only: its constants become a C++ include file when
# the build is configured, and again whenever the model changes.
set(model_dir ${CMAKE_CURRENT_LIST_DIR}/model)
set(model_out ${CMAKE_BINARY_DIR}/generated/model)
execute_process(COMMAND ${Python3_EXECUTABLE} ${model_dir}/write_cpp_model.py ${model_out}/tool_model_data.inc
                COMMAND_ERROR_IS_FATAL ANY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${model_dir}/tool_model.py ${model_dir}/write_cpp_model.py)

add_library(tool_model STATIC ${model_dir}/tool_model.cpp)
target_include_directories(tool_model PUBLIC ${model_out})
