// A list view's notifications through a parent that reflects them the way
// the framework's windows do: the unit's handler is called directly, a
// later subclass of the control still receives the reflected message, and
// emptying or destroying a list asks its parent for no per-row deletion.
#include <vector>

#include "listview_fixture.h"
#include "ui/framework/reflect.h"
#include "ui/listview/listview_commands.h"
#include "ui/listview/listview_unit.h"

namespace {

// What the parent window saw, for the subclass procedures below (window
// procedures take no context).
struct Seen {
  std::vector<UINT> notifyCodes;  // WM_NOTIFY codes the parent received
  std::vector<LRESULT> answers;   // the reflected answer to each
  int reflectedToSubclass = 0;    // kReflectBase + WM_NOTIFY at a later subclass
  int reflectedMessages = 0;      // kReflectBase + WM_NOTIFY sent to any window
  WNDPROC parentBase = nullptr;
  WNDPROC listBase = nullptr;
};
Seen g_seen;

// Sees every message sent within the thread, whoever's procedure gets it.
LRESULT CALLBACK CountReflectedMessages(int code, WPARAM wp, LPARAM lp) {
  if (code == HC_ACTION && reinterpret_cast<const CWPSTRUCT*>(lp)->message == kReflectBase + WM_NOTIFY)
    g_seen.reflectedMessages++;
  return CallNextHookEx(nullptr, code, wp, lp);
}

LRESULT CALLBACK ReflectingParent(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg != WM_NOTIFY) return CallWindowProcA(g_seen.parentBase, hwnd, msg, wp, lp);
  LRESULT answer = 0;
  if (!ReflectToChild(hwnd, msg, wp, lp, &answer)) answer = DefWindowProcA(hwnd, msg, wp, lp);
  g_seen.notifyCodes.push_back(reinterpret_cast<NMHDR*>(lp)->code);
  g_seen.answers.push_back(answer);
  return answer;
}

LRESULT CALLBACK LaterSubclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kReflectBase + WM_NOTIFY) g_seen.reflectedToSubclass++;
  return CallWindowProcA(g_seen.listBase, hwnd, msg, wp, lp);
}

class ListViewReflectTest : public ListViewTest {
 protected:
  void SetUp() override {
    ListViewTest::SetUp();
    g_seen = Seen{};
    g_seen.parentBase = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(host.parent(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ReflectingParent)));
  }
  void TearDown() override {
    SetWindowLongPtrA(host.parent(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_seen.parentBase));
  }

  ListViewUnit* ListWithRows(int rows) {
    ListViewUnit* unit = CreateReport({{false, -1, 0, 100, "机器名"}, {false, -1, 0, 100, "MAC"}});
    if (!unit) return nullptr;
    for (int k = 0; k < rows; k++)
      CallUnitCommand(ListView::InsertItem, unit, kListViewTypeCode, {IntArg(k), TextArg("甲")});
    return unit;
  }

  int Count(UINT code) const {
    int n = 0;
    for (UINT c : g_seen.notifyCodes) n += c == code;
    return n;
  }
};

// The unit's own procedure is called directly, with no message: every
// selected row costs two notifications. A later subclass still gets each
// one as the reflected message.
TEST_F(ListViewReflectTest, TheUnitSeesTheSameEventsWithOrWithoutALaterSubclass) {
  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, &CountReflectedMessages, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  for (bool subclassed : {false, true}) {
    SCOPED_TRACE(subclassed ? "subclassed after the unit" : "the unit's own procedure");
    ListViewUnit* unit = ListWithRows(3);
    ASSERT_NE(unit, nullptr);
    if (subclassed)
      g_seen.listBase = reinterpret_cast<WNDPROC>(
          SetWindowLongPtrA(unit->hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LaterSubclass)));
    g_seen.reflectedToSubclass = g_seen.reflectedMessages = 0;
    g_seen.notifyCodes.clear();
    g_seen.answers.clear();
    host.events.clear();

    LVITEMA it{};
    it.state = it.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
    SendMessageA(unit->hwnd, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&it));
    it.stateMask = LVIS_SELECTED;  // selection alone: no event
    SendMessageA(unit->hwnd, LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&it));

    EXPECT_EQ(EventNumbers(), std::vector<int>{kLvEventCurrentChanged});
    EXPECT_GT(Count(LVN_ITEMCHANGED), 0);
    const int notifications = static_cast<int>(g_seen.notifyCodes.size());
    if (subclassed) {
      EXPECT_EQ(g_seen.reflectedToSubclass, notifications) << "every notification reaches the later subclass";
      EXPECT_EQ(g_seen.reflectedMessages, notifications);
    } else {
      EXPECT_EQ(g_seen.reflectedMessages, 0) << "the unit was called directly";
    }
    DestroyWindow(unit->hwnd);
  }
  UnhookWindowsHookEx(hook);
}

TEST_F(ListViewReflectTest, EmptyingOrDestroyingAListSendsNoNotificationPerRow) {
  for (bool destroy : {false, true}) {
    SCOPED_TRACE(destroy ? "destroyed" : "emptied");
    ListViewUnit* unit = ListWithRows(50);
    ASSERT_NE(unit, nullptr);
    HWND hwnd = unit->hwnd;
    g_seen.notifyCodes.clear();
    g_seen.answers.clear();
    host.events.clear();

    if (destroy) {
      DestroyWindow(hwnd);
      EXPECT_FALSE(IsWindow(hwnd));
    } else {
      ArgValue r = CallUnitCommand(ListView::DeleteAllItems, unit, kListViewTypeCode);
      EXPECT_EQ(r.v.i32, 1);
      EXPECT_EQ(SendMessageA(hwnd, LVM_GETITEMCOUNT, 0, 0), 0);
    }
    ASSERT_EQ(Count(LVN_DELETEALLITEMS), 1);
    EXPECT_EQ(Count(LVN_DELETEITEM), 0);
    for (size_t i = 0; i < g_seen.notifyCodes.size(); i++)
      if (g_seen.notifyCodes[i] == LVN_DELETEALLITEMS) EXPECT_EQ(g_seen.answers[i], TRUE);
    EXPECT_TRUE(host.events.empty()) << "no event follows a deletion";

    if (!destroy) {  // the emptied list fills and reports again
      CallUnitCommand(ListView::InsertItem, unit, kListViewTypeCode, {IntArg(0), TextArg("乙")});
      EXPECT_EQ(SendMessageA(hwnd, LVM_GETITEMCOUNT, 0, 0), 1);
      DestroyWindow(hwnd);
    }
  }
}

}  // namespace
