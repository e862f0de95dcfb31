# The program's window at display scales of 96, 120, 144 and 192 DPI, each
# in a Wine prefix of its own set to that DPI (tools/dpi-prefix.sh, a CTest
# fixture; it restarts only that prefix's Wine server).
add_executable(app_dpi_layout_test app_dpi_layout_test.cpp ui_test_support.cpp ${CMAKE_SOURCE_DIR}/app/resources/app.rc)
target_link_libraries(app_dpi_layout_test PRIVATE app_lib rt_ui tool_model gtest gtest_main)
set_target_properties(app_dpi_layout_test PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(dpi_arch win64)
else()
  set(dpi_arch win32)
endif()
foreach(dpi 96 120 144 192)
  add_test(NAME dpi_prefix_${dpi} COMMAND ${CMAKE_SOURCE_DIR}/tools/dpi-prefix.sh ${dpi_arch} ${CMAKE_BINARY_DIR} ${dpi})
  set_tests_properties(dpi_prefix_${dpi} PROPERTIES FIXTURES_SETUP dpi_${dpi} TIMEOUT 300)
  add_test(NAME MainWindowAtScale.Dpi${dpi}
           COMMAND ${CMAKE_SOURCE_DIR}/tools/dpi-run.sh ${dpi_arch} ${dpi} $<TARGET_FILE:app_dpi_layout_test>)
  set_tests_properties(MainWindowAtScale.Dpi${dpi} PROPERTIES FIXTURES_REQUIRED dpi_${dpi} RESOURCE_LOCK desktop
                       TIMEOUT 180)
endforeach()

# The real tool in the same prefixes: its layout from outside, and its export.
add_executable(app_dpi_export_test app_dpi_export_test.cpp)
target_link_libraries(app_dpi_export_test PRIVATE tool_session gtest gtest_main)
set_target_properties(app_dpi_export_test PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
add_dependencies(app_dpi_export_test machine-list-export)
foreach(dpi 96 120 144 192)
  add_test(NAME ToolAtScale.Dpi${dpi}
           COMMAND ${CMAKE_SOURCE_DIR}/tools/dpi-run.sh ${dpi_arch} ${dpi} $<TARGET_FILE:app_dpi_export_test>)
  set_tests_properties(ToolAtScale.Dpi${dpi} PROPERTIES FIXTURES_REQUIRED dpi_${dpi} RESOURCE_LOCK desktop
                       TIMEOUT 180)
endforeach()

# A 1024x768 screen, in prefixes and on a private Xvfb of its own: at 200 %
# the window is taller than the screen and is laid out at a smaller scale
# that fits; at 150 % it fits as it is (751 of 768 pixels) and nothing
# changes.
set(small_screen 1024x768)
foreach(dpi 144 192)
  set(fixture dpi_${dpi}_${small_screen})
  add_test(NAME dpi_prefix_${dpi}_${small_screen}
           COMMAND ${CMAKE_SOURCE_DIR}/tools/dpi-prefix.sh ${dpi_arch} ${CMAKE_BINARY_DIR} ${dpi})
  set_tests_properties(dpi_prefix_${dpi}_${small_screen} PROPERTIES FIXTURES_SETUP ${fixture} TIMEOUT 300
                       ENVIRONMENT MLE_SCREEN=${small_screen})
  add_test(NAME MainWindowAtScale.Dpi${dpi}OnSmallScreen
           COMMAND ${CMAKE_SOURCE_DIR}/tools/dpi-run.sh ${dpi_arch} ${dpi} $<TARGET_FILE:app_dpi_layout_test>)
  set_tests_properties(MainWindowAtScale.Dpi${dpi}OnSmallScreen PROPERTIES FIXTURES_REQUIRED ${fixture}
                       RESOURCE_LOCK desktop TIMEOUT 180 ENVIRONMENT MLE_SCREEN=${small_screen})
endforeach()
add_test(NAME ToolAtScale.Dpi192OnSmallScreen
         COMMAND ${CMAKE_SOURCE_DIR}/tools/dpi-run.sh ${dpi_arch} 192 $<TARGET_FILE:app_dpi_export_test>)
set_tests_properties(ToolAtScale.Dpi192OnSmallScreen PROPERTIES FIXTURES_REQUIRED dpi_192_${small_screen}
                     RESOURCE_LOCK desktop TIMEOUT 180 ENVIRONMENT MLE_SCREEN=${small_screen})

# The shipped program's import table: nothing that Windows 7 lacks.
rt_gtest(app_dpi_imports_test SOURCES app_dpi_imports_test.cpp LIBS rt_driver)
add_dependencies(app_dpi_imports_test machine-list-export)
