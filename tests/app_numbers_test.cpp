// The numbers the program shares with its peers.
#include <gtest/gtest.h>

#include "db/db_library.h"
#include "runtime/runtime.h"
#include "ui/button/button_unit.h"
#include "ui/combo/combo_unit.h"
#include "ui/commondlg/commondlg_unit.h"
#include "ui/edit/edit_unit.h"
#include "ui/label/label_unit.h"
#include "ui/listview/listview_unit.h"
#include "ui/window/window_unit.h"

namespace {

// The one place where the numbers are written out: the template format,
// the argument records of library commands and stored programs all carry
// them, so a renumbered name would break what is already written.
TEST(WireNumbers, AreThoseTheTemplateAndThePeersCarry) {
  const struct {
    const char* name;
    int64_t value, wire;
  } numbers[] = {
      {"window type", kWindowTypeCode, 0x00010001},
      {"menu type", kMenuTypeCode, 0x00010003},
      {"edit box type", kEditBoxTypeCode, 0x00010005},
      {"label type", kLabelTypeCode, 0x0001000A},
      {"button type", kButtonTypeCode, 0x0001000B},
      {"combo box type", kComboBoxTypeCode, 0x0001000E},
      {"common dialog type", kCommonDialogTypeCode, 0x0001001F},
      {"list view type", kListViewTypeCode, 0x00030004},
      {"SqliteDB type", kSqliteDbTypeCode, 0x00020001},
      {"SqliteTable type", kSqliteTableTypeCode, 0x00020002},
      {"core library", kCoreLibraryNumber, 0},
      {"database library", kDatabaseLibraryNumber, 1},
      {"extended interface library", kExtendedUiLibraryNumber, 2},
      {"left", kCommonLeft, 0},
      {"tag", kCommonTag, 4},
      {"visible", kCommonVisible, 5},
      {"disabled", kCommonDisabled, 6},
      {"cursor", kCommonCursor, 7},
      {"edit content", kEditContent, 8},
      {"label caption", kLabelCaption, 8},
      {"label frame width", kLabelGradientBorderWidth, 11},
      {"label font", kLabelFont, 15},
      {"window title", kWindowTitle, 8},
      {"combo style", kComboStyle, 8},
      {"combo content", kComboContent, 9},
      {"combo back colour", kComboBackColor, 17},
      {"combo selection", kComboSelection, 19},
      {"combo items", kComboItems, 20},
      {"dialog file name", kDialogFileName, 10},
      {"dialog filter", kDialogFilter, 11},
      {"window created", kWindowCreated, 0},
      {"window moved", kWindowMoved, 3},
      {"window resized", kWindowResized, 4},
      {"button clicked", kButtonClicked, 0},
      {"list left click", kLvEventClick, 4},
      {"mouse down", kEventMouseDown, -1},
      {"got focus", kEventGotFocus, -7},
      {"lost focus", kEventLostFocus, -8},
      {"key down", kEventKeyDown, -9},
      {"character", kEventChar, -11},
      {"wheel", kEventWheel, -12},
      {"make array writable", kServiceMakeArrayWritable, 2},
      {"register cleanup", kServiceRegisterCleanup, 3},
      {"initialise", kServiceInitialize, 6},
  };
  for (const auto& n : numbers) EXPECT_EQ(n.value, n.wire) << n.name;
}

}  // namespace
