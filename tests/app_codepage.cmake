# The real tool at the system code pages that it meets: 936 (a Chinese
# Windows: the tests' own prefix), 1252 (an English one: a prefix of its
# own under a non-Chinese locale, tools/cp-prefix.sh) and 65001 (UTF-8,
# which Windows 10 and 11 give a program whose manifest asks for it, and
# Wine 8 too: a test copy of the tool whose manifest does, in a prefix of
# its own at 1252).
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(cp_arch win64)
  set(cp_manifest ${CMAKE_SOURCE_DIR}/app/resources/app-x64.manifest)
else()
  set(cp_arch win32)
  set(cp_manifest ${CMAKE_SOURCE_DIR}/app/resources/app.manifest)
endif()

# The test copies' manifest is the shipped one with one more setting, so
# the two cannot drift apart; nothing ships it.
file(READ ${cp_manifest} manifest_text)
string(REPLACE "</windowsSettings>"
       "  <activeCodePage xmlns=\"http://schemas.microsoft.com/SMI/2019/WindowsSettings\">UTF-8</activeCodePage>\n    </windowsSettings>"
       utf8_manifest_text "${manifest_text}")
if(utf8_manifest_text STREQUAL manifest_text)
  message(FATAL_ERROR "${cp_manifest} has no <windowsSettings> to add the UTF-8 code page to")
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${cp_manifest})
set(utf8_dir ${CMAKE_CURRENT_BINARY_DIR}/utf8)
file(CONFIGURE OUTPUT ${utf8_dir}/utf8.manifest CONTENT "${utf8_manifest_text}" @ONLY)
file(CONFIGURE OUTPUT ${utf8_dir}/utf8.rc CONTENT
     "#include <windows.h>\nCREATEPROCESS_MANIFEST_RESOURCE_ID RT_MANIFEST \"${utf8_dir}/utf8.manifest\"\nDEFAULT_ICON ICON \"${CMAKE_SOURCE_DIR}/app/resources/app.ico\"\n"
     @ONLY)
set_source_files_properties(${utf8_dir}/utf8.rc PROPERTIES OBJECT_DEPENDS ${utf8_dir}/utf8.manifest)

# The tool as shipped, but for its manifest.
add_executable(machine-list-export-utf8 WIN32 ${CMAKE_SOURCE_DIR}/app/win_main.cpp ${utf8_dir}/utf8.rc)
target_link_libraries(machine-list-export-utf8 PRIVATE app_lib)
set_target_properties(machine-list-export-utf8 PROPERTIES LINK_FLAGS "-mwindows")

# A program whose exit code is its code page, with either manifest.
add_executable(codepage_probe codepage_probe.cpp)
add_executable(codepage_probe-utf8 codepage_probe.cpp ${utf8_dir}/utf8.rc)

add_executable(app_codepage_test app_codepage_test.cpp)
target_link_libraries(app_codepage_test PRIVATE tool_session gtest gtest_main)
set_target_properties(app_codepage_test PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
add_dependencies(app_codepage_test machine-list-export machine-list-export-utf8 codepage_probe codepage_probe-utf8)

foreach(cp 1252 65001)
  add_test(NAME codepage_prefix_${cp} COMMAND ${CMAKE_SOURCE_DIR}/tools/cp-prefix.sh ${cp_arch} ${CMAKE_BINARY_DIR} ${cp})
  set_tests_properties(codepage_prefix_${cp} PROPERTIES FIXTURES_SETUP codepage_${cp} TIMEOUT 300)
endforeach()
foreach(cp 936 1252 65001)
  add_test(NAME ToolAtCodePage.Cp${cp}
           COMMAND ${CMAKE_SOURCE_DIR}/tools/cp-run.sh ${cp_arch} ${cp} $<TARGET_FILE:app_codepage_test>)
  set_tests_properties(ToolAtCodePage.Cp${cp} PROPERTIES RESOURCE_LOCK desktop TIMEOUT 300)
endforeach()
# At 936 the tool runs in the tests' prefix and sets the service's registry
# value there, as the other end-to-end cases do: it runs alone.
set_tests_properties(ToolAtCodePage.Cp936 PROPERTIES RUN_SERIAL TRUE)
set_tests_properties(ToolAtCodePage.Cp1252 PROPERTIES FIXTURES_REQUIRED codepage_1252)
set_tests_properties(ToolAtCodePage.Cp65001 PROPERTIES FIXTURES_REQUIRED codepage_65001)

# rt_codepage_runs(<target> [DESKTOP]): a test program of the tree run whole
# at 1252 and at 65001 as well, in the prefixes above: at 65001 a copy
# beside it whose external manifest asks for UTF-8 (Wine reads a manifest
# file beside a program that carries none). Fragments that call it come
# after this one (they are included in name order).
function(rt_codepage_runs target)
  cmake_parse_arguments(R "DESKTOP" "" "" ${ARGN})
  set(copy $<TARGET_FILE_DIR:${target}>/${target}-utf8.exe)
  add_custom_command(TARGET ${target} POST_BUILD
                     COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:${target}> ${copy}
                     COMMAND ${CMAKE_COMMAND} -E copy ${utf8_dir}/utf8.manifest ${copy}.manifest)
  foreach(cp 1252 65001)
    set(program $<TARGET_FILE:${target}>)
    if(cp EQUAL 65001)
      set(program ${copy})
    endif()
    add_test(NAME AtCodePage${cp}.${target} COMMAND ${CMAKE_SOURCE_DIR}/tools/cp-run.sh ${cp_arch} ${cp} ${program})
    set_tests_properties(AtCodePage${cp}.${target} PROPERTIES FIXTURES_REQUIRED codepage_${cp} TIMEOUT 300)
    if(R_DESKTOP)
      set_tests_properties(AtCodePage${cp}.${target} PROPERTIES RESOURCE_LOCK desktop)
    endif()
  endforeach()
endfunction()
