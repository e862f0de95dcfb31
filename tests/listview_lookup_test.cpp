// Finding a list view's object from its control: several live lists, lists
// that ended, and handles that Windows hands out again.
#include <string>

#include "listview_fixture.h"
#include "runtime/heap.h"
#include "ui/framework/handle_table.h"
#include "ui/listview/listview_commands.h"

namespace {

constexpr uint32_t kSecondUnitId = 0x16011F41;

class ListViewLookupTest : public ListViewTest {
 protected:
  ListViewUnit* CreateList(uint32_t unitId) {
    ListViewData d;
    d.view = 3;
    d.singleSelection = false;
    d.columns = EncodeColumnList({{false, -1, 0, 100, "机器名"}});
    return Create(d, unitId);
  }
  int Insert(ListViewUnit* unit, const char* text) {
    return CallUnitCommand(ListView::InsertItem, unit, kTypeListView, {OmittedArg(), TextArg(text)}).v.i32;
  }
  std::string Text(ListViewUnit* unit, int item) {
    ArgValue r = CallUnitCommand(ListView::GetItemText, unit, kTypeListView, {IntArg(item), IntArg(0)});
    std::string s = r.v.text ? r.v.text : "";
    RtFree(r.v.text);
    return s;
  }
};

TEST(HandleTable, FindsWhatWasAddedUntilRemoved) {
  HandleTable<int> table;
  int a = 1, b = 2;
  auto h = [](uintptr_t v) { return reinterpret_cast<HWND>(v); };
  table.Add(h(0x10), &a);
  table.Add(h(0x20), &b);
  EXPECT_EQ(table.Find(h(0x10)), &a);
  EXPECT_EQ(table.Find(h(0x20)), &b);
  EXPECT_EQ(table.Find(h(0x30)), nullptr);
  EXPECT_EQ(table.Find(nullptr), nullptr);
  table.Remove(h(0x10));
  EXPECT_EQ(table.Find(h(0x10)), nullptr);
  EXPECT_EQ(table.Find(h(0x20)), &b) << "the other entry stays";
  table.Remove(h(0x10));  // twice: harmless
  table.Add(h(0x10), &b);  // a handle given out again
  EXPECT_EQ(table.Find(h(0x10)), &b);
}

TEST_F(ListViewLookupTest, CommandsAndEventsReachTheirOwnList) {
  ListViewUnit* first = CreateList(kListUnitId);
  ListViewUnit* second = CreateList(kSecondUnitId);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(ListViewFromWindow(first->hwnd), first);
  EXPECT_EQ(ListViewFromWindow(second->hwnd), second);
  EXPECT_EQ(AsListView(first), first);
  Insert(first, "甲");
  Insert(second, "乙");
  Insert(second, "丙");
  EXPECT_EQ(Text(first, 0), "甲");
  EXPECT_EQ(Text(second, 1), "丙");
  EXPECT_EQ(SendMessageA(first->hwnd, LVM_GETITEMCOUNT, 0, 0), 1);
  EXPECT_EQ(SendMessageA(second->hwnd, LVM_GETITEMCOUNT, 0, 0), 2);

  // A focus change on the second list is reported as the second unit's.
  host.events.clear();
  LVITEMA it{};
  it.state = it.stateMask = LVIS_FOCUSED;
  SendMessageA(second->hwnd, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&it));
  ASSERT_EQ(host.events.size(), 1u);
  EXPECT_EQ(host.events[0].unitId, kSecondUnitId);
  EXPECT_EQ(host.events[0].event, kLvEventCurrentChanged);
}

TEST_F(ListViewLookupTest, AnEndedListIsNoLongerFoundAndItsHandleMayServeAnother) {
  ListViewUnit* first = CreateList(kListUnitId);
  ListViewUnit* second = CreateList(kSecondUnitId);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  HWND ended = first->hwnd;
  DestroyWindow(ended);
  EXPECT_EQ(ListViewFromWindow(ended), nullptr);
  EXPECT_EQ(ListViewFromWindow(second->hwnd), second) << "the other list is still found";
  Insert(second, "乙");
  EXPECT_EQ(Text(second, 0), "乙");

  // New controls until one gets the ended control's handle, or a few tries:
  // each must be found as itself, never as the object that ended.
  for (int k = 0; k < 8; k++) {
    ListViewUnit* next = CreateList(kListUnitId);
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(ListViewFromWindow(next->hwnd), next);
    Insert(next, "丁");
    EXPECT_EQ(Text(next, 0), "丁");
    bool reused = next->hwnd == ended;
    DestroyWindow(next->hwnd);
    if (reused) break;
  }
}

TEST_F(ListViewLookupTest, AnotherUnitsObjectIsNotTakenForAList) {
  ListViewUnit* list = CreateList(kListUnitId);
  ASSERT_NE(list, nullptr);
  // An object of another unit type whose control is a live window.
  UnitObject other{};
  other.hwnd = host.parent();
  EXPECT_EQ(AsListView(&other), nullptr);
  other.hwnd = list->hwnd;  // a stranger claiming the list's control
  EXPECT_EQ(AsListView(&other), nullptr);
  EXPECT_EQ(AsListView(nullptr), nullptr);
}

}  // namespace
