// The program's own window, built from its template with the real unit
// types of every library: the layout of the main window.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "app/handler_table.h"
#include "app/main_window_template.h"
#include "tests/program_window.h"
#include "tests/ui_test_support.h"
#include "tests/window_geometry.h"
#include "tools/model/tool_model.h"
#include "ui/button/button_unit.h"
#include "ui/combo/combo_unit.h"
#include "ui/commondlg/commondlg_unit.h"
#include "ui/core_library.h"
#include "ui/edit/edit_unit.h"
#include "ui/framework/host.h"
#include "ui/framework/keyboard.h"
#include "ui/framework/window_list.h"
#include "ui/label/label_unit.h"
#include "ui/listview/extended_ui_library.h"
#include "ui/listview/listview_unit.h"
#include "ui/window/window_unit.h"

namespace {

class MainWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(LoadProgramWindowQuietly());
    PumpMessages();
  }
  void TearDown() override { StopRuntime(); }
  static HWND Unit(uint32_t id) { return UnitHandle(kMainWindowId, id); }
};

}  // namespace

TEST_F(MainWindow, IsCentredWithItsTitleAndOuterSize) {
  HWND window = Unit(0);
  ASSERT_TRUE(window);
  EXPECT_EQ(WindowTextOf(window), model::kTitle);
  char cls[32] = {};
  GetClassNameA(window, cls, sizeof cls);
  EXPECT_STREQ(cls, "WTWindow");
  EXPECT_TRUE(IsCentredWithOuterSize(window, 396, 501));
  const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_TRUE(IsWindowVisible(window));
}

TEST_F(MainWindow, UnitsSitWhereTheLayoutPutsThem) {
  const struct {
    uint32_t id;
    const char* cls;
    int left, top, width;
    bool visible;
    const char* text;
  } units[] = {
      {kPathLabelId, "_VX_Label", 24, 16, 40, true, model::kPathLabel},
      {kPathEditId, "Edit", 64, 17, 272, true, ""},
      {kBrowseButtonId, "Button", 335, 16, 30, true, model::kBrowseCaption},
      {kMachineListId, "SysListView32", 16, 56, 360, true, ""},
      {kTotalLabelId, "_VX_Label", 16, 433, 60, true, ""},
      {kSelectedLabelId, "_VX_Label", 76, 433, 60, true, ""},
      {kCombo1Id, "ComboBox", 176, 405, 60, true, ""},
      {kCombo2Id, "ComboBox", 248, 405, 60, true, ""},
      {kCombo3Id, "ComboBox", 320, 405, 60, true, ""},
      {kExportButtonId, "Button", 296, 432, 80, true, model::kExportCaption},
      {kOpenDialogId, "_VX_CommonDlg", 16, 402, 26, false, ""},
      {kSaveDialogId, "_VX_CommonDlg", 48, 403, 26, false, ""},
  };
  for (const auto& u : units) {
    HWND h = Unit(u.id);
    ASSERT_TRUE(h) << std::hex << u.id;
    char cls[64] = {};
    GetClassNameA(h, cls, sizeof cls);
    EXPECT_STREQ(cls, u.cls) << std::hex << u.id;
    RECT r = RectInParent(h);
    EXPECT_EQ(r.left, u.left) << std::hex << u.id;
    EXPECT_EQ(r.top, u.top) << std::hex << u.id;
    EXPECT_EQ(r.right - r.left, u.width) << std::hex << u.id;
    EXPECT_EQ(IsWindowVisible(h) != FALSE, u.visible) << std::hex << u.id;
    if (std::string(u.cls) != "_VX_CommonDlg") {
      EXPECT_EQ(WindowTextOf(h), u.text) << std::hex << u.id;
    }
  }
  // The list view's columns, one a field.
  HWND header = reinterpret_cast<HWND>(SendMessageA(Unit(kMachineListId), LVM_GETHEADER, 0, 0));
  EXPECT_EQ(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0), model::kFieldCount);
  EXPECT_EQ(SendMessageA(Unit(kMachineListId), LVM_GETCOLUMNWIDTH, model::kMacField, 0),
            model::kFields[model::kMacField].width);
}

TEST_F(MainWindow, FieldCombosHoldTheirItemsWithoutSelection) {
  for (uint32_t id : {kCombo1Id, kCombo2Id, kCombo3Id}) {
    HWND h = Unit(id);
    EXPECT_EQ(GetWindowLongPtrA(h, GWL_STYLE) & 3, CBS_DROPDOWN);
    ASSERT_EQ(SendMessageA(h, CB_GETCOUNT, 0, 0), model::kNoField + 1);
    char item[16] = {};
    SendMessageA(h, CB_GETLBTEXT, model::kNoField, reinterpret_cast<LPARAM>(item));
    EXPECT_STREQ(item, model::kNoFieldItem);
    EXPECT_EQ(SendMessageA(h, CB_GETCURSEL, 0, 0), -1);
  }
}

TEST_F(MainWindow, TabOrderRunsFromThePathToTheLastDropDown) {
  auto seq = TabSequence(*FindLoadedWindow(kMainWindowId));
  const uint32_t expected[] = {kPathEditId, kBrowseButtonId, kExportButtonId, kMachineListId,
                               kCombo1Id,   kCombo2Id,       kCombo3Id};
  ASSERT_EQ(seq.size(), std::size(expected));
  for (size_t i = 0; i < seq.size(); ++i) EXPECT_EQ(seq[i]->id, expected[i]) << i;
}

TEST_F(MainWindow, EscapeClosesIt) {
  HWND window = Unit(0);
  SetFocus(Unit(kMachineListId));
  MSG msg{Unit(kMachineListId), WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
  EXPECT_TRUE(UnitFrameworkHost().preTranslate(&msg));
  PumpMessages();
  EXPECT_FALSE(IsWindow(window));
}

// The program's libraries hold each type at the number of its TypeCode,
// with the flags the framework reads (Tab, mnemonics, events, dragging, no
// window), spelt by name in the descriptors.
TEST(ProgramUnitTypes, SitAtTheirTypeCodesWithTheirFlags) {
  struct Case {
    uint32_t code;
    const char* englishName;
    uint32_t flags;
  } cases[] = {
      {kWindowTypeCode, "Window", 0x800000D0},     {kEditBoxTypeCode, "EditBox", 0x80000040},
      {kLabelTypeCode, "Label", 0x84012040},       {kButtonTypeCode, "Button", 0x80000840},
      {kComboBoxTypeCode, "ComboBox", 0x80000240}, {kCommonDialogTypeCode, "CommonDlg", 0x80008040},
      {kListViewTypeCode, "ListView", 0x80000040},
  };
  const LibraryInfo* libraries[] = {&CoreLibrary(), nullptr, &ExtendedUiLibrary()};
  EXPECT_EQ(CoreLibrary().typeCount, 31);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.englishName);
    const LibraryInfo* library = libraries[(c.code >> 16) - 1];
    const int number = static_cast<int>(c.code & 0xFFFF) - 1;
    ASSERT_LT(number, library->typeCount);
    const UnitTypeInfo* type = library->types[number];
    ASSERT_NE(type, nullptr);
    EXPECT_STREQ(type->englishName, c.englishName);
    EXPECT_EQ(type->flags, c.flags);
  }
}
