// Finding a list view's object from its control: several live lists, lists
// that ended, and handles that Windows hands out again.
#include <string>

#include "listview_fixture.h"
#include "runtime/heap.h"
#include "ui/framework/unit_window.h"
#include "ui/listview/listview_commands.h"
#include "ui/listview/listview_unit.h"

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
    return CallUnitCommand(ListView::InsertItem, unit, kListViewTypeCode, {OmittedArg(), TextArg(text)}).v.i32;
  }
  std::string Text(ListViewUnit* unit, int item) {
    ArgValue r = CallUnitCommand(ListView::GetItemText, unit, kListViewTypeCode, {IntArg(item), IntArg(0)});
    std::string s = r.v.text ? r.v.text : "";
    RtFree(r.v.text);
    return s;
  }
};

// Windows of the test's own under a unit procedure of the test's: a
// handle resolves only to a live unit of the type that its window carries.
struct Probe : UnitObject {};
UnitWindows<Probe> g_probes;
LRESULT CALLBACK ProbeProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Probe* probe = UnitWindows<Probe>::FromOwnProcedure(hwnd);
  if (!probe) return DefWindowProcA(hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) return g_probes.End(probe, hwnd, wp, lp);
  return CallBase(probe, hwnd, msg, wp, lp);
}

TEST_F(ListViewLookupTest, AUnitIsFoundOnlyWhileItsWindowCarriesIt) {
  auto window = [this] {
    return CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, host.parent(), nullptr, nullptr, nullptr);
  };
  HWND w1 = window(), w2 = window(), w3 = window();
  ASSERT_TRUE(w1 && w2 && w3);
  Probe a, b, c;
  g_probes.Attach(&a, w1, ProbeProc);
  g_probes.Attach(&b, w2, ProbeProc);
  EXPECT_EQ(g_probes.Find(w1), &a);
  EXPECT_EQ(g_probes.Find(w2), &b);
  EXPECT_EQ(g_probes.As(&b), &b);
  EXPECT_EQ(SendMessageA(w1, WM_GETTEXTLENGTH, 0, 0), 0) << "the class's procedure still runs under the unit's";
  EXPECT_EQ(g_probes.Find(host.parent()), nullptr);
  EXPECT_EQ(g_probes.Find(nullptr), nullptr);

  DestroyWindow(w1);  // the unit heard of its end
  EXPECT_EQ(g_probes.Find(w1), nullptr);
  EXPECT_EQ(g_probes.As(&a), nullptr);
  EXPECT_EQ(g_probes.Find(w2), &b) << "the other unit stays";

  // A window that carries a unit's address without being given it, as a
  // window of another unit type or a stranger may.
  SetWindowLongPtrA(w3, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(static_cast<UnitObject*>(&b)));
  EXPECT_EQ(g_probes.Find(w3), nullptr);
  SetWindowLongPtrA(w3, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(static_cast<UnitObject*>(&c)));
  EXPECT_EQ(g_probes.Find(w3), nullptr) << "an object that was never attached";

  // The unit's window no longer carries it.
  SetWindowLongPtrA(w2, GWLP_USERDATA, 0);
  EXPECT_EQ(g_probes.Find(w2), nullptr);
  SetWindowLongPtrA(w2, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(static_cast<UnitObject*>(&b)));
  SetWindowLongPtrA(w2, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(b.baseProc));
  DestroyWindow(w2);  // ended behind the unit's back
  EXPECT_EQ(g_probes.Find(w2), nullptr);
  EXPECT_EQ(g_probes.As(&b), nullptr);
  DestroyWindow(w3);
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

// A procedure subclassed after the unit's that keeps WM_NCDESTROY to itself:
// the unit never hears that its control ended.
WNDPROC g_unitProc;
LRESULT CALLBACK SwallowNcDestroy(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCDESTROY) return 0;
  return CallWindowProcA(g_unitProc, hwnd, msg, wp, lp);
}

TEST_F(ListViewLookupTest, AnEndedListIsNoLongerFoundEvenWhenItsUnitNeverHeard) {
  for (bool heard : {true, false}) {
    SCOPED_TRACE(heard ? "WM_NCDESTROY reached the unit" : "a later subclass kept WM_NCDESTROY");
    ListViewUnit* first = CreateList(kListUnitId);
    ListViewUnit* second = CreateList(kSecondUnitId);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    HWND ended = first->hwnd;
    if (!heard)
      g_unitProc = reinterpret_cast<WNDPROC>(
          SetWindowLongPtrA(ended, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SwallowNcDestroy)));
    DestroyWindow(ended);
    EXPECT_EQ(ListViewFromWindow(ended), nullptr);
    if (!heard) {
      EXPECT_EQ(AsListView(first), nullptr) << "the unit that never heard is not taken for live";
    }
    EXPECT_EQ(ListViewFromWindow(second->hwnd), second) << "the other list is still found";
    Insert(second, "乙");
    EXPECT_EQ(Text(second, 0), "乙");

    ListViewUnit* next = CreateList(kListUnitId);  // a new list is found as itself
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(ListViewFromWindow(next->hwnd), next);
    DestroyWindow(next->hwnd);
    DestroyWindow(second->hwnd);
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
