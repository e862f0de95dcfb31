// The program's window template: the main window and its twelve units,
// serialised at compile time from the declaration in main_window_template.cpp.
#pragma once

#include <cstdint>
#include <span>

#include "ui/template/template_writer.h"

inline constexpr uint32_t kMainWindowId = 0x52010001;

// The units' ids, as the application addresses them.
enum : uint32_t {
  kMainWindowRecordId = 0x06010000,
  kCombo3Id = 0x16011FC8,         // 组合框3
  kCombo2Id = 0x16011FC7,         // 组合框2
  kCombo1Id = 0x16011FC2,         // 组合框1
  kSaveDialogId = 0x16011FA5,     // 通用对话框2
  kSelectedLabelId = 0x16011F45,  // 标签3
  kTotalLabelId = 0x16011F44,     // 标签2
  kMachineListId = 0x16011F40,    // 超级列表框1
  kOpenDialogId = 0x16011F28,     // 通用对话框1
  kExportButtonId = 0x16011F0C,   // 按钮2
  kBrowseButtonId = 0x16010007,   // 按钮1
  kPathEditId = 0x16010006,       // 编辑框1
  kPathLabelId = 0x16010005,      // 标签1
};

// The serialised template (for ProgramHeader: data and length).
std::span<const uint8_t> MainWindowTemplate();
// The declaration it was written from (the window's own record first).
const WindowDecl& MainWindowDeclaration();
