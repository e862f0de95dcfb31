// The list view unit's creation, properties and write-back, on real
// SysListView32 controls.
#include <objbase.h>

#include "listview_fixture.h"
#include "image_list_sample.h"
#include "listview_program_block.h"
#include "runtime/gbk_boundary.h"
#include "ui/listview/listview_text.h"

namespace {

DWORD Style(HWND h) { return static_cast<DWORD>(GetWindowLongPtrA(h, GWL_STYLE)); }
DWORD ExStyle(HWND h) { return static_cast<DWORD>(GetWindowLongPtrA(h, GWL_EXSTYLE)); }
DWORD ListExStyle(HWND h) { return static_cast<DWORD>(SendMessageA(h, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0)); }

std::string ColumnTitle(HWND h, int i, int* width) {
  char text[64] = {};
  LVCOLUMNA col{};
  col.mask = LVCF_TEXT | LVCF_WIDTH;
  col.pszText = text;
  col.cchTextMax = sizeof text;
  if (!SendMessageA(h, LVM_GETCOLUMNA, i, reinterpret_cast<LPARAM>(&col))) return "<none>";
  *width = col.cx;
  return text;
}

TEST_F(ListViewTest, ProgramBlockCreatesReportViewWithItsColumns) {
  UnitObject* unit = host.Create(ListViewUnitType(), ProgramListViewBlock(), kListUnitId);
  ASSERT_NE(unit, nullptr);
  HWND h = unit->hwnd;
  char cls[32];
  GetClassNameA(h, cls, sizeof cls);
  EXPECT_STREQ(cls, "SysListView32");
  EXPECT_EQ(Style(h) & LVS_TYPEMASK, static_cast<DWORD>(LVS_REPORT));
  EXPECT_EQ(Style(h) & (LVS_SINGLESEL | LVS_NOCOLUMNHEADER | LVS_EDITLABELS), 0u);
  EXPECT_TRUE(Style(h) & LVS_NOSORTHEADER);
  EXPECT_TRUE(Style(h) & WS_CHILD);
  EXPECT_TRUE(ExStyle(h) & WS_EX_CLIENTEDGE);
  DWORD ex = ListExStyle(h);
  EXPECT_TRUE(ex & LVS_EX_FULLROWSELECT);
  EXPECT_TRUE(ex & LVS_EX_INFOTIP);
  EXPECT_TRUE(ex & LVS_EX_SUBITEMIMAGES);
  EXPECT_EQ(ex & (LVS_EX_CHECKBOXES | LVS_EX_GRIDLINES | LVS_EX_TRACKSELECT | LVS_EX_HEADERDRAGDROP), 0u);

  for (int i = 0; i < model::kFieldCount; i++) {
    int width = 0;
    EXPECT_EQ(ColumnTitle(h, i, &width), model::kFields[i].title);
    EXPECT_EQ(width, model::kFields[i].width);
  }
  int unused;
  EXPECT_EQ(ColumnTitle(h, model::kFieldCount, &unused), "<none>");
  EXPECT_EQ(SendMessageA(h, LVM_GETBKCOLOR, 0, 0), 0xFFFFFF);
  EXPECT_EQ(SendMessageA(h, kMsgGetUnitObject, 0, 0), reinterpret_cast<LRESULT>(unit));
}

TEST_F(ListViewTest, NewerVersionFailsCreationAndLeavesNoControl) {
  Bytes block = ProgramListViewBlock();
  block[0] = 2;
  EXPECT_EQ(host.Create(ListViewUnitType(), block, kListUnitId), nullptr);
  EXPECT_EQ(FindWindowExA(host.parent(), nullptr, "SysListView32", nullptr), nullptr);
}

TEST_F(ListViewTest, WriteBackRoundTripsAndFollowsWrites) {
  Bytes block = ProgramListViewBlock();
  UnitObject* unit = host.Create(ListViewUnitType(), block, kListUnitId);
  ASSERT_NE(unit, nullptr);
  EXPECT_EQ(GetAllUnitProperties(ListViewUnitType(), unit), block);

  PropValue on{};
  on.i32 = 1;
  EXPECT_EQ(SetUnitProperty(ListViewUnitType(), unit, 22, on), 1) << "grid lines re-create in report view";
  ListViewData back;
  Bytes written = GetAllUnitProperties(ListViewUnitType(), unit);
  ASSERT_TRUE(DecodeListViewData(written, back));
  EXPECT_TRUE(back.gridLines);
}

TEST_F(ListViewTest, SettersAnswerLiveOrRecreateAndClamp) {
  ListViewData d;
  d.view = 3;
  auto unit = Create(d);
  ASSERT_NE(unit, nullptr);
  HWND h = unit->hwnd;
  auto set = [&](int index, int32_t value) {
    PropValue v{};
    v.i32 = value;
    return SetUnitProperty(ListViewUnitType(), unit, index, v);
  };
  auto get = [&](int index) { return GetUnitProperty(ListViewUnitType(), unit, index).i32; };

  EXPECT_EQ(set(8, 9), 0);  // border style, clamped to 5: WS_BORDER
  EXPECT_EQ(get(8), 5);
  EXPECT_TRUE(Style(h) & WS_BORDER);
  EXPECT_FALSE(ExStyle(h) & WS_EX_CLIENTEDGE);
  EXPECT_EQ(set(8, 3), 0);
  EXPECT_TRUE(ExStyle(h) & WS_EX_STATICEDGE);
  EXPECT_FALSE(Style(h) & WS_BORDER);

  EXPECT_EQ(set(11, 0x123456), 0);
  EXPECT_EQ(get(11), 0x123456);
  // "Button face" is stored as such and shown as the system colour.
  EXPECT_EQ(set(10, static_cast<int32_t>(0xFF000000)), 0);
  EXPECT_EQ(static_cast<DWORD>(get(10)), GetSysColor(COLOR_BTNFACE));

  EXPECT_EQ(set(13, 7), 1);  // view clamped to 3, re-created
  EXPECT_EQ(get(13), 3);
  EXPECT_EQ(set(14, 1), 0) << "icon alignment only re-creates in icon views";
  EXPECT_EQ(set(31, -4), 1);
  EXPECT_EQ(get(31), 0);
  EXPECT_EQ(set(27, 0), 0) << "hand cursor only re-creates while hot tracking";
  EXPECT_EQ(set(26, 1), 1);
  EXPECT_EQ(set(27, 0), 1);
  EXPECT_EQ(set(18, 1), 0);  // hide the header: live
  EXPECT_TRUE(Style(h) & LVS_NOCOLUMNHEADER);
  EXPECT_EQ(set(38, 5), 0) << "the edited text is read only";
}

TEST_F(ListViewTest, CurrentItemActsOnlyInSingleSelection) {
  ListViewData d;
  d.view = 3;
  d.columns = EncodeColumnList({{false, -1, 0, 80, "A"}});
  d.items = EncodeItemList({{0, -1, -1, 0, 0, "x", ""}, {0, -1, -1, 0, 0, "y", ""}, {0, -1, -1, 0, 0, "z", ""}});
  d.currentItem = 1;
  auto unit = Create(d);
  ASSERT_NE(unit, nullptr);
  auto get = [&] { return GetUnitProperty(ListViewUnitType(), unit, 35).i32; };
  EXPECT_EQ(get(), 1);
  EXPECT_EQ(SendMessageA(unit->hwnd, LVM_GETNEXTITEM, -1, LVNI_FOCUSED), 1);
  PropValue none{};
  none.i32 = -7;  // below -1: none
  SetUnitProperty(ListViewUnitType(), unit, 35, none);
  EXPECT_EQ(get(), -1);

  d.singleSelection = false;
  auto multi = Create(d, kListUnitId + 1);
  ASSERT_NE(multi, nullptr);
  EXPECT_EQ(GetUnitProperty(ListViewUnitType(), multi, 35).i32, -1);
}

TEST_F(ListViewTest, InitialItemsImagesAndTips) {
  ListViewData d;
  d.view = 3;
  d.images = ImageListBlock(2);
  d.columns = EncodeColumnList({{false, -1, 0, 80, "A"}, {false, -1, 0, 80, "B"}});
  d.items = EncodeItemList({
      {0, 1, -1, 0, 42, "甲", "第一个提示"},
      {1, 0, -1, 0, 0, "甲二", ""},
      {0, 5, -1, 0, 0, "乙", "tip two"},  // image 5 is outside the list of 2
  });
  auto unit = Create(d);
  ASSERT_NE(unit, nullptr);
  HWND h = unit->hwnd;
  auto list = reinterpret_cast<HIMAGELIST>(SendMessageA(h, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(ImageList_GetImageCount(list), 2);
  ASSERT_EQ(SendMessageA(h, LVM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(ListViewItemTextGbk(h, 0, 1), "甲二");

  LVITEMA it{};
  it.mask = LVIF_IMAGE | LVIF_PARAM;
  it.iItem = 0;
  SendMessageA(h, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&it));
  EXPECT_EQ(it.iImage, 1);
  EXPECT_EQ(it.lParam, 42);
  it.iItem = 1;
  SendMessageA(h, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&it));
  EXPECT_EQ(it.iImage, -1);

  // The tip buffer (UTF-16: the list speaks it to every parent) takes at
  // most its size minus one units.
  struct { int item; int room; const char* tip; } cases[] = {
      {1, 5, "tip "}, {1, 80, "tip two"}, {0, 4, "第一个"}, {0, 80, "第一个提示"},
  };
  for (const auto& c : cases) {
    wchar_t buffer[80];
    wmemset(buffer, L'x', 80);
    NMLVGETINFOTIPW nm{};
    nm.hdr = {h, 0, static_cast<UINT>(LVN_GETINFOTIPW)};
    nm.pszText = buffer;
    nm.cchTextMax = c.room;
    nm.iItem = c.item;
    SendMessageW(host.parent(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm));
    EXPECT_EQ(GbkFromWide(buffer), c.tip) << "item " << c.item << " room " << c.room;
  }
}

TEST_F(ListViewTest, ControlDestructionIsReportedOnce) {
  auto unit = CreateReport({{false, -1, 0, 80, "A"}});
  ASSERT_NE(unit, nullptr);
  HWND h = unit->hwnd;
  DestroyWindow(h);
  ASSERT_EQ(host.destroyed.size(), 1u);
  EXPECT_EQ(host.destroyed[0], std::make_pair(kTestWindowId, kListUnitId));
  EXPECT_EQ(ListViewFromWindow(h), nullptr);
}

TEST(ExtendedUiLibrary, NotifyAndTypeTable) {
  const LibraryInfo& lib = ExtendedUiLibrary();
  EXPECT_EQ(lib.notify(kLibInit, reinterpret_cast<intptr_t>(&RuntimeNotify), 0), 0);
  EXPECT_EQ(lib.notify(kLibShutdown, 0, 0), -1);
  ASSERT_EQ(lib.typeCount, 4);
  EXPECT_EQ(lib.types[3], &ListViewUnitType());
  EXPECT_EQ(ListViewUnitType().propertyCount, 39);
}

}  // namespace
