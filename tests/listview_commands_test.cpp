// The list view commands and events, driving the real control.
#include <string>

#include "listview_fixture.h"
#include "runtime/gbk_boundary.h"
#include "runtime/heap.h"
#include "ui/listview/listview_commands.h"
#include "ui/listview/listview_unit.h"

namespace {

class ListViewCommandsTest : public ListViewTest {
 protected:
  void SetUp() override {
    ListViewTest::SetUp();
    unit = CreateReport({{false, -1, 0, 100, "机器名"}, {false, -1, 0, 100, "MAC"}, {false, -1, 0, 100, "IP"}});
    ASSERT_NE(unit, nullptr);
  }

  ArgValue Call(CommandFn fn, std::vector<ArgValue> args = {}) {
    return CallUnitCommand(fn, unit, kListViewTypeCode, std::move(args));
  }
  int Insert(std::vector<ArgValue> args) { return Call(ListView::InsertItem, std::move(args)).v.i32; }
  int Count() { return Call(ListView::GetItemCount).v.i32; }
  // The text, freed; "<null>" for a null result.
  std::string Text(int item, int column) {
    ArgValue r = Call(ListView::GetItemText, {IntArg(item), IntArg(column)});
    std::string s = r.v.text ? r.v.text : "<null>";
    RtFree(r.v.text);
    return s;
  }
  std::vector<int32_t> Selected() {
    ArgValue r = Call(ListView::GetSelectedItems);
    auto array = static_cast<RtArray*>(r.v.ptr);
    EXPECT_NE(array, nullptr) << "never null";
    if (!array) return {};
    EXPECT_EQ(array->dims, 1);
    auto first = reinterpret_cast<int32_t*>(reinterpret_cast<uint8_t*>(array) + 8);
    std::vector<int32_t> out(first, first + array->sizes[0]);
    RtFree(array);
    return out;
  }
  void Fill(int n) {
    for (int i = 0; i < n; i++) Insert({IntArg(i), TextArg(std::to_string(i).c_str())});
  }

  ListViewUnit* unit = nullptr;
};

TEST_F(ListViewCommandsTest, InsertPositions) {
  struct { std::vector<ArgValue> args; int index; const char* firstTexts; } cases[] = {
      {{OmittedArg(), TextArg("a")}, 0, "a"},
      {{OmittedArg(), TextArg("b")}, 1, "a b"},           // omitted: append
      {{IntArg(2), TextArg("c")}, 2, "a b c"},            // at the count: append
      {{IntArg(-5), TextArg("d")}, 3, "a b c d"},         // negative: append
      {{IntArg(0), TextArg("e")}, 0, "e a b c d"},        // in front
      {{IntArg(1)}, 1, "e  a b c d"},                     // text omitted: empty
  };
  for (auto& c : cases) {
    EXPECT_EQ(Insert(c.args), c.index);
    std::string texts;
    for (int i = 0; i < Count(); i++) {
      std::string t = Text(i, 0);
      texts += (i ? " " : "") + (t == "<null>" ? "" : t);
    }
    EXPECT_EQ(texts, c.firstTexts);
  }
  EXPECT_EQ(Count(), 6);
}

TEST_F(ListViewCommandsTest, InsertTakesIndentImageAndData) {
  int i = Insert({OmittedArg(), TextArg("x"), IntArg(-9), OmittedArg(), IntArg(-3), IntArg(77)});
  LVITEMA it{};
  it.mask = LVIF_IMAGE | LVIF_INDENT | LVIF_PARAM;
  it.iItem = i;
  SendMessageA(unit->hwnd, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&it));
  EXPECT_EQ(it.iImage, -1);
  EXPECT_EQ(it.iIndent, 0);
  EXPECT_EQ(it.lParam, 77);
}

TEST_F(ListViewCommandsTest, TextsOfAnyLengthAndMissingCells) {
  Fill(2);
  std::string ascii(600, 'm');
  std::string gbk;
  for (int i = 0; i < 300; i++) gbk += "机";
  std::string edge(511, 'e');
  Call(ListView::SetItemText, {IntArg(0), IntArg(1), TextArg(ascii.c_str())});
  Call(ListView::SetItemText, {IntArg(1), IntArg(1), TextArg(gbk.c_str())});
  Call(ListView::SetItemText, {IntArg(1), IntArg(2), TextArg(edge.c_str())});
  Call(ListView::SetItemText, {IntArg(0), OmittedArg(), TextArg("名字")});  // column defaults to 0
  EXPECT_EQ(Text(0, 1), ascii);
  EXPECT_EQ(Text(1, 1), gbk);
  EXPECT_EQ(Text(1, 2), edge);
  ArgValue name = Call(ListView::GetItemText, {IntArg(0)});
  EXPECT_STREQ(name.v.text, "名字");
  RtFree(name.v.text);
  EXPECT_EQ(Text(0, 2), "<null>") << "empty cell";
  EXPECT_EQ(Text(0, 3), "<null>") << "column 3 of three";
  EXPECT_EQ(Text(9, 0), "<null>") << "no such item";
  Call(ListView::SetItemText, {IntArg(0), IntArg(1)});  // text omitted: cleared
  EXPECT_EQ(Text(0, 1), "<null>");
}

TEST_F(ListViewCommandsTest, SelectAllKeepsTheFocusAndListsAscending) {
  EXPECT_TRUE(Selected().empty()) << "no items";
  Fill(5);
  EXPECT_TRUE(Selected().empty()) << "nothing selected";

  LVITEMA focus{};
  focus.state = focus.stateMask = LVIS_FOCUSED;
  SendMessageA(unit->hwnd, LVM_SETITEMSTATE, 3, reinterpret_cast<LPARAM>(&focus));
  Call(ListView::SelectItem, {IntArg(4)});
  Call(ListView::SelectItem, {IntArg(1)});
  Call(ListView::SelectItem, {IntArg(-1)});
  EXPECT_EQ(Selected(), (std::vector<int32_t>{1, 4}));
  for (int i = 0; i < Count(); i++) Call(ListView::SelectItem, {IntArg(i)});
  EXPECT_EQ(Selected(), (std::vector<int32_t>{0, 1, 2, 3, 4}));
  EXPECT_EQ(SendMessageA(unit->hwnd, LVM_GETNEXTITEM, -1, LVNI_FOCUSED), 3);

  EXPECT_EQ(Call(ListView::DeleteAllItems).v.i32, 1);
  EXPECT_EQ(Count(), 0);
  EXPECT_TRUE(Selected().empty());
}

// Commands hold the drawing of a shown list until the loop runs again: the
// rows must then be painted, and a hidden list must stay hidden.
TEST_F(ListViewCommandsTest, RowsAddedInOneGoAreDrawnWhenTheLoopRuns) {
  Fill(30);
  PumpMessages(300);
  EXPECT_TRUE(IsWindowVisible(unit->hwnd));
  RECT label{LVIR_LABEL};
  ASSERT_TRUE(SendMessageA(unit->hwnd, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&label)));
  HDC dc = GetDC(unit->hwnd);
  const COLORREF background = GetPixel(dc, label.right - 1, label.bottom - 1);
  int inked = 0;
  for (int y = label.top; y < label.bottom; y++)
    for (int x = label.left; x < label.right; x++) inked += GetPixel(dc, x, y) != background;
  ReleaseDC(unit->hwnd, dc);
  EXPECT_GT(inked, 5) << "row 0's label is painted";

  // Hidden while drawing is held, or before: it stays hidden.
  Fill(1);
  ShowWindow(unit->hwnd, SW_HIDE);
  PumpMessages(100);
  EXPECT_FALSE(IsWindowVisible(unit->hwnd));
  Fill(5);
  Call(ListView::SelectItem, {IntArg(2)});
  PumpMessages(100);
  EXPECT_FALSE(IsWindowVisible(unit->hwnd));
  EXPECT_EQ(Count(), 36);
}

// Under the control's own handling a click on one of several selected rows
// selects it alone only after the notification; the click event comes after.
TEST_F(ListViewCommandsTest, ClickEventSeesTheSelectionTheClickMade) {
  Fill(5);
  for (int i = 0; i < 5; i++) Call(ListView::SelectItem, {IntArg(i)});
  std::vector<int32_t> atClick;
  host.during = [&](const RecordedEvent& e) {
    if (e.event == kLvEventClick) atClick = Selected();
  };
  RECT r{};
  r.left = LVIR_LABEL;
  SendMessageA(unit->hwnd, LVM_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&r));
  LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  PostMessageA(unit->hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(unit->hwnd, WM_LBUTTONUP, 0, at);
  ASSERT_TRUE(PumpMessages(3000, [&] { return !atClick.empty(); }));
  EXPECT_EQ(atClick, (std::vector<int32_t>{3}));
}

// Finds a point on the state icon (the check box) of an item.
bool CheckBoxPoint(HWND h, int item, POINT* pt) {
  RECT r{};
  r.left = LVIR_BOUNDS;
  SendMessageA(h, LVM_GETITEMRECT, item, reinterpret_cast<LPARAM>(&r));
  for (int x = r.left; x < r.left + 60; x++) {
    LVHITTESTINFO ht{};
    ht.pt = {x, (r.top + r.bottom) / 2};
    SendMessageA(h, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&ht));
    if (ht.flags == LVHT_ONITEMSTATEICON && ht.iItem == item) {
      *pt = {x + 3, ht.pt.y};
      return true;
    }
  }
  return false;
}

class ListViewCheckBoxTest : public ListViewTest {
 protected:
  void SetUp() override {
    ListViewTest::SetUp();
    unit = CreateReport({{false, -1, 0, 100, "A"}}, true);
    ASSERT_NE(unit, nullptr);
    for (int i = 0; i < 3; i++) {
      ArgValue r{};
      ArgValue args[2] = {UnitRef(unit->windowId, unit->unitId, kListViewTypeCode), IntArg(i)};
      ListView::InsertItem(&r, 2, args);
    }
    PumpMessages(50);
    host.events.clear();
  }
  bool Fired(int event) {
    for (auto& e : host.events)
      if (e.event == event) return true;
    return false;
  }
  // Only the unit's own events; the focus events depend on the window manager.
  std::vector<int> ClickAndCheckEvents() {
    std::vector<int> out;
    for (int e : EventNumbers())
      if (e == kLvEventClick || e == kLvEventRightClick || e == kLvEventCheckChanged) out.push_back(e);
    return out;
  }
  const RecordedEvent* Last(int event) {
    for (auto it = host.events.rbegin(); it != host.events.rend(); ++it)
      if (it->event == event) return &*it;
    return nullptr;
  }
  ListViewUnit* unit = nullptr;
};

TEST_F(ListViewCheckBoxTest, ClickOnTheBoxFiresClickThenTheNewState) {
  POINT pt;
  ASSERT_TRUE(CheckBoxPoint(unit->hwnd, 1, &pt));
  PostMessageA(unit->hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
  PostMessageA(unit->hwnd, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
  ASSERT_TRUE(PumpMessages(3000, [&] { return Fired(kLvEventCheckChanged); }));
  PumpMessages(50);
  EXPECT_EQ(ClickAndCheckEvents(), (std::vector<int>{kLvEventClick, kLvEventCheckChanged}));
  EXPECT_EQ(Last(kLvEventCheckChanged)->args, (std::vector<uint32_t>{1, 1}));
  EXPECT_EQ(Last(kLvEventCheckChanged)->unitId, kListUnitId);

  // A right click on the box reports the state unchanged.
  host.events.clear();
  PostMessageA(unit->hwnd, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(pt.x, pt.y));
  PostMessageA(unit->hwnd, WM_RBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
  ASSERT_TRUE(PumpMessages(3000, [&] { return Fired(kLvEventCheckChanged); }));
  EXPECT_EQ(ClickAndCheckEvents(), (std::vector<int>{kLvEventRightClick, kLvEventCheckChanged}));
  EXPECT_EQ(Last(kLvEventCheckChanged)->args, (std::vector<uint32_t>{1, 1}));
}

TEST_F(ListViewCheckBoxTest, SpaceTogglesTheFocusedItemWithoutClickEvents) {
  LVITEMA focus{};
  focus.state = focus.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
  SendMessageA(unit->hwnd, LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&focus));
  SetFocus(unit->hwnd);
  host.events.clear();
  // TranslateMessage in the loop makes the WM_CHAR, as for a real key.
  PostMessageA(unit->hwnd, WM_KEYDOWN, VK_SPACE, 0x00390001);
  PostMessageA(unit->hwnd, WM_KEYUP, VK_SPACE, 0xC0390001);
  ASSERT_TRUE(PumpMessages(3000, [&] { return Fired(kLvEventCheckChanged); }));
  PumpMessages(50);
  EXPECT_EQ(ClickAndCheckEvents(), (std::vector<int>{kLvEventCheckChanged}));
  EXPECT_EQ(Last(kLvEventCheckChanged)->args, (std::vector<uint32_t>{2, 1}));
}

TEST_F(ListViewCommandsTest, LabelEditEventsAndTheEditedText) {
  Fill(2);
  std::string seen;
  host.during = [&](const RecordedEvent& e) {
    if (e.event != kLvEventEndEdit) return;
    const char* t = GetUnitProperty(ListViewUnitType(), unit, 38).text;
    seen = t ? t : "<null>";
  };
  struct { const char* text; bool handlerAnswers; int32_t answer; LRESULT result; const char* seen; } cases[] = {
      {"新名字", false, 0, TRUE, "新名字"},   // no answer: accepted
      {"新名字", true, 0, FALSE, "新名字"},    // false: rejected
      {"新名字", true, 1, TRUE, "新名字"},
      {nullptr, false, 0, TRUE, "1"},          // cancelled: the current text
  };
  for (const auto& c : cases) {
    host.answers.clear();
    if (c.handlerAnswers) host.answers[kLvEventEndEdit] = c.answer;
    // The list speaks UTF-16 to its parent, whatever the parent's kind.
    std::wstring wide = WideFromGbk(c.text);
    NMLVDISPINFOW nm{};
    nm.hdr = {unit->hwnd, 0, static_cast<UINT>(LVN_ENDLABELEDITW)};
    nm.item.iItem = 1;
    nm.item.pszText = c.text ? wide.data() : nullptr;
    LRESULT r = SendMessageW(host.parent(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm));
    if (c.text) {
      EXPECT_EQ(r, c.result) << c.text << " answer " << c.answer;
    }
    EXPECT_EQ(seen, c.seen);
    EXPECT_EQ(GetUnitProperty(ListViewUnitType(), unit, 38).text, nullptr) << "emptied afterwards";
  }
  ASSERT_FALSE(host.events.empty());
  EXPECT_EQ(host.events.back().args, (std::vector<uint32_t>{1}));

  // Begin: false cancels; item -1 fires nothing.
  host.events.clear();
  host.answers = {{kLvEventBeginEdit, 0}};
  NMLVDISPINFOW begin{};
  begin.hdr = {unit->hwnd, 0, static_cast<UINT>(LVN_BEGINLABELEDITW)};
  begin.item.iItem = 0;
  EXPECT_EQ(SendMessageW(host.parent(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&begin)), TRUE);
  begin.item.iItem = -1;
  EXPECT_EQ(SendMessageW(host.parent(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&begin)), FALSE);
  EXPECT_EQ(EventNumbers(), (std::vector<int>{kLvEventBeginEdit}));
}

// A label edited in the real control reaches the handler as GBK, also under
// a parent window of the system code page (the test's own is one): the
// list's notifications are UTF-16 whatever its parent asks for.
TEST_F(ListViewCommandsTest, AnEditedLabelReachesTheHandlerAsGbk) {
  Fill(2);
  SetWindowLongPtrW(unit->hwnd, GWL_STYLE, GetWindowLongPtrW(unit->hwnd, GWL_STYLE) | LVS_EDITLABELS);
  std::string seen;
  host.during = [&](const RecordedEvent& e) {
    if (e.event != kLvEventEndEdit) return;
    const char* t = GetUnitProperty(ListViewUnitType(), unit, 38).text;
    seen = t ? t : "<null>";
  };
  SetFocus(unit->hwnd);
  auto edit = reinterpret_cast<HWND>(SendMessageW(unit->hwnd, LVM_EDITLABELW, 1, 0));
  ASSERT_NE(edit, nullptr);
  SetWindowTextW(edit, L"\x65B0\x540D\x5B57");  // 新名字
  SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
  PumpMessages(50);
  EXPECT_EQ(seen, "新名字");
  EXPECT_EQ(Text(1, 0), "新名字");
}

TEST_F(ListViewCommandsTest, FocusMovesFireCurrentItemChangedOnce) {
  Fill(3);
  host.events.clear();
  LVITEMA focus{};
  focus.state = focus.stateMask = LVIS_FOCUSED;
  SendMessageA(unit->hwnd, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&focus));
  focus.stateMask = LVIS_SELECTED;  // selection alone does not change the current item
  focus.state = LVIS_SELECTED;
  SendMessageA(unit->hwnd, LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&focus));
  std::vector<int> changed;
  for (int e : EventNumbers())
    if (e == kLvEventCurrentChanged) changed.push_back(e);
  EXPECT_EQ(changed.size(), 1u);
}

}  // namespace
