// The unit framework on real windows: loading a window from its template,
// properties by index, event delivery, pre-translation and the window keys.
#include <gtest/gtest.h>
#include <windows.h>

#include "runtime/heap.h"
#include "tools/driver/driver.h"
#include "tests/ui_test_support.h"
#include "ui/button/button_unit.h"
#include "ui/combo/combo_unit.h"
#include "ui/edit/edit_unit.h"
#include "ui/framework/events.h"
#include "ui/framework/host.h"
#include "ui/framework/keyboard.h"
#include "ui/framework/properties.h"
#include "ui/framework/window_list.h"
#include "ui/label/label_unit.h"
#include "ui/template/button_blob.h"
#include "ui/template/combo_blob.h"
#include "ui/template/edit_blob.h"
#include "ui/template/label_blob.h"
#include "ui/template/window_blob.h"
#include "ui/window/window_unit.h"

namespace {

constexpr uint32_t kWin = 0x52000001, kOwn = 0x06000001, kEdit = 0x16000002,
                   kButton = 0x16000003, kLabel = 0x16000004, kCombo = 0x16000005,
                   kHiddenLabel = 0x16000006;

BindingDecl Bind(int event, int recorder) { return {event, RecorderOffset(recorder)}; }

std::vector<uint8_t> WindowBlob() {
  return EncodeWindowProps(WindowProps{.startPosition = 0, .title = "测试窗口"});
}

// A window with an edit box, a button, two labels and a combo box.
std::vector<TestUnit> StandardUnits() {
  return {
      {.id = kOwn, .type = kWindowType, .left = 100, .top = 80, .width = 320, .height = 260,
       .flags = 1, .blob = WindowBlob(), .bindings = {Bind(kWindowCreated, 0), Bind(kWindowMoved, 1), Bind(kWindowResized, 2)}},
      {.id = kEdit, .type = kEditType, .name = "编辑框1", .left = 10, .top = 10, .width = 120,
       .height = 20, .flags = 5, .blob = EncodeEditProps(EditProps{.content = "abc"}),
       .bindings = {Bind(kEditContentChanged, 3), Bind(kEventKeyDown, 4), Bind(kEventChar, 4),
                     Bind(kEventMouseDown, 4), Bind(kEventWheel, 4)}},
      {.id = kButton, .type = kButtonType, .name = "按钮1", .left = 10, .top = 40, .width = 80,
       .height = 24, .flags = 5, .blob = EncodeButtonProps(ButtonProps{.caption = "确定"}),
       .bindings = {Bind(kButtonClicked, 5)}},
      {.id = kLabel, .type = kLabelType, .name = "标签1", .left = 10, .top = 70, .width = 60,
       .height = 20, .flags = 1, .blob = EncodeLabelProps(LabelProps{.caption = ""})},
      {.id = kCombo, .type = kComboType, .name = "组合框1", .left = 10, .top = 100, .width = 80,
       .height = 20, .flags = 5,
       .blob = EncodeComboProps(ComboProps{.items = {"甲", "乙", "丙", "丁"}})},
      {.id = kHiddenLabel, .type = kLabelType, .name = "标签2", .left = 100, .top = 70,
       .width = 60, .height = 20, .flags = 0},
  };
}

class Framework : public ::testing::Test {
 protected:
  void TearDown() override {
    SetModifiers(false, false, false);
    StopRuntime();
  }

  void Load(const std::vector<TestUnit>& units = StandardUnits()) {
    ASSERT_TRUE(StartRuntime(BuildTemplate(kWin, units)));
    ASSERT_TRUE(UnitFrameworkHost().loadWindow(kWin, false, nullptr));
    PumpMessages();
  }

  static int CallsOf(int recorder) {
    int n = 0;
    for (const auto& c : HandlerCalls()) n += c.handler == recorder;
    return n;
  }

  static bool PreTranslate(HWND hwnd, UINT message, WPARAM wp, LPARAM lp = 0) {
    MSG msg{hwnd, message, wp, lp, 0, {}};
    return UnitFrameworkHost().preTranslate(&msg);
  }
};

TEST_F(Framework, LoadCreatesEveryUnitThenFiresCreatedMovedResizedOnce) {
  Load();
  ASSERT_GE(HandlerCalls().size(), 3u);
  EXPECT_EQ(HandlerCalls()[0].handler, 0);
  EXPECT_EQ(HandlerCalls()[1].handler, 1);
  EXPECT_EQ(HandlerCalls()[2].handler, 2);
  // WM_MOVE and WM_SIZE during creation reached no handler (showing the
  // window may move and size it again later).
  EXPECT_EQ(CallsOf(0), 1);
  EXPECT_EQ(HandlerCalls()[0].window, kWin);
  EXPECT_EQ(HandlerCalls()[0].unit, kOwn);
  EXPECT_EQ(CurrentEventWindow(), 0u) << "the event source is cleared after the handler";

  HWND window = UnitHandle(kWin, 0);
  ASSERT_TRUE(window);
  EXPECT_EQ(driver::FindTopLevelWindow(GetCurrentProcessId(), "WTWindow", "测试窗口", true), window);
  // Units are created from the last record to the second: ids 100, 110 ...
  EXPECT_EQ(GetDlgCtrlID(UnitHandle(kWin, kHiddenLabel)), 100);
  EXPECT_EQ(GetDlgCtrlID(UnitHandle(kWin, kCombo)), 110);
  EXPECT_EQ(GetDlgCtrlID(UnitHandle(kWin, kLabel)), 120);
  EXPECT_EQ(GetDlgCtrlID(UnitHandle(kWin, kButton)), 130);
  EXPECT_EQ(GetDlgCtrlID(UnitHandle(kWin, kEdit)), 140);
  // Stacked in table order, the first record on top.
  HWND h = GetWindow(window, GW_CHILD);
  for (uint32_t id : {kEdit, kButton, kLabel, kCombo, kHiddenLabel}) {
    EXPECT_EQ(h, UnitHandle(kWin, id)) << std::hex << id;
    h = GetWindow(h, GW_HWNDNEXT);
  }
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_TRUE(IsWindowVisible(UnitHandle(kWin, kEdit)));
  EXPECT_FALSE(IsWindowVisible(UnitHandle(kWin, kHiddenLabel)));
  EXPECT_TRUE(GetWindowLongPtrA(UnitHandle(kWin, kEdit), GWL_STYLE) & WS_TABSTOP);
  EXPECT_FALSE(GetWindowLongPtrA(UnitHandle(kWin, kLabel), GWL_STYLE) & WS_TABSTOP);
  // Each control answers the framework's question for its unit object.
  auto* unit = reinterpret_cast<UnitObject*>(SendMessageA(UnitHandle(kWin, kCombo), kMsgGetUnitObject, 0, 0));
  ASSERT_TRUE(unit);
  EXPECT_EQ(unit->unitId, kCombo);
  EXPECT_EQ(unit->windowId, kWin);
}

// A window larger than the work area, centred or at its designed place,
// keeps its top-left corner (its title bar) inside the work area and lies
// inside along the side it fits in; a window that fits goes where it is
// designed, even partly off the screen.
TEST_F(Framework, AWindowLargerThanTheWorkAreaKeepsItsTitleBarInIt) {
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const LONG w = work.right - work.left, h = work.bottom - work.top;
  struct Case {
    uint32_t startPosition;
    RECT designed;  // left, top, width, height
    POINT want;
  };
  const Case cases[] = {
      {1, {0, 0, w + 200, h + 100}, {work.left, work.top}},
      {0, {work.left + 300, work.top + 200, w + 200, h + 100}, {work.left, work.top}},
      {0, {work.left + 100, work.top + 200, 400, h + 100}, {work.left + 100, work.top}},
      {0, {work.right - 100, work.top + 80, 320, 260}, {work.right - 100, work.top + 80}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "start position " << c.startPosition << ", " << c.designed.right << "x"
                                    << c.designed.bottom << " at " << c.designed.left << "," << c.designed.top);
    std::vector<TestUnit> units = StandardUnits();
    units[0].blob = EncodeWindowProps(WindowProps{.startPosition = c.startPosition, .title = "测试窗口"});
    units[0].left = c.designed.left;
    units[0].top = c.designed.top;
    units[0].width = c.designed.right;
    units[0].height = c.designed.bottom;
    Load(units);
    RECT r{};
    GetWindowRect(UnitHandle(kWin, 0), &r);
    EXPECT_EQ(r.left, c.want.x);
    EXPECT_EQ(r.top, c.want.y);
    StopRuntime();
  }
}

TEST_F(Framework, PositionAndSizeWritesAreClamped) {
  Load();
  struct Case {
    int index;
    int32_t written, stored;
  };
  const Case cases[] = {
      {kCommonLeft, 40000, 32627},  {kCommonLeft, -40000, -32627}, {kCommonTop, 32627, 32627},
      {kCommonTop, 15, 15},         {kCommonWidth, -5, 0},          {kCommonWidth, 40000, 32627},
      {kCommonHeight, 7, 7},        {kCommonHeight, -1, 0},
  };
  for (const auto& c : cases) {
    WriteInt(kWin, kButton, c.index, c.written);
    EXPECT_EQ(ReadInt(kWin, kButton, c.index), c.stored) << c.index << " " << c.written;
  }
  // The record keeps the stored value for the next load.
  LoadedWindow* win = FindLoadedWindow(kWin);
  UnitRecord* rec = win->Record(kButton);
  EXPECT_EQ(rec->left, -32627);
  EXPECT_EQ(rec->width, 32627);
  EXPECT_EQ(rec->height, 0);
}

TEST_F(Framework, CommonPropertiesOfAnUnloadedWindowUseTheRecord) {
  ASSERT_TRUE(StartRuntime(BuildTemplate(kWin, StandardUnits())));
  EXPECT_EQ(ReadInt(kWin, kButton, kCommonLeft), 10);
  WriteInt(kWin, kButton, kCommonLeft, 40000);
  EXPECT_EQ(ReadInt(kWin, kButton, kCommonLeft), 32627);
  EXPECT_EQ(ReadInt(kWin, kHiddenLabel, kCommonVisible), 0);
  EXPECT_EQ(ReadInt(kWin, kEdit, kCommonVisible), 1);
  WriteInt(kWin, kEdit, kCommonDisabled, 5);
  EXPECT_EQ(ReadInt(kWin, kEdit, kCommonDisabled), 1) << "a logical reads 1";
  // The written state is what the window is then created with.
  ASSERT_TRUE(UnitFrameworkHost().loadWindow(kWin, false, nullptr));
  EXPECT_FALSE(IsWindowEnabled(UnitHandle(kWin, kEdit)));
  RECT r;
  GetWindowRect(UnitHandle(kWin, kButton), &r);
  MapWindowPoints(nullptr, UnitHandle(kWin, 0), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 32627);
}

TEST_F(Framework, EmptyTextsReadAsNull) {
  Load();
  bool wasNull = false;
  EXPECT_EQ(ReadText(kWin, kLabel, kLabelCaption, &wasNull), "");
  EXPECT_TRUE(wasNull);
  EXPECT_EQ(ReadText(kWin, kLabel, kCommonTag, &wasNull), "");
  EXPECT_TRUE(wasNull) << "the empty tag";
  WriteText(kWin, kLabel, kLabelCaption, "路径：");
  EXPECT_EQ(ReadText(kWin, kLabel, kLabelCaption, &wasNull), "路径：");
  EXPECT_FALSE(wasNull);
  WriteText(kWin, kLabel, kLabelCaption, nullptr);  // null writes as ""
  EXPECT_EQ(ReadText(kWin, kLabel, kLabelCaption, &wasNull), "");
  EXPECT_TRUE(wasNull);
  WriteText(kWin, kLabel, kCommonTag, "标记");
  EXPECT_EQ(ReadText(kWin, kLabel, kCommonTag), "标记");
  EXPECT_EQ(ReadText(kWin, kEdit, kEditContent), "abc");
}

TEST_F(Framework, ComboSelectionWritesAreClampedToTheItems) {
  Load();
  EXPECT_EQ(ReadInt(kWin, kCombo, kComboSelection), -1);
  EXPECT_EQ(ReadText(kWin, kCombo, kComboItems), "甲\r\n乙\r\n丙\r\n丁");
  const struct {
    int32_t written, selected;
  } cases[] = {{1, 1}, {7, 3}, {-5, -1}, {0, 0}, {3, 3}, {4, 3}, {-1, -1}};
  for (const auto& c : cases) {
    WriteInt(kWin, kCombo, kComboSelection, c.written);
    EXPECT_EQ(ReadInt(kWin, kCombo, kComboSelection), c.selected) << c.written;
    EXPECT_EQ(SendMessageA(UnitHandle(kWin, kCombo), CB_GETCURSEL, 0, 0), c.selected);
  }
}

TEST_F(Framework, EditContentWriteRaisesContentChangedOncePerWrite) {
  Load();
  HandlerCalls().clear();
  WriteText(kWin, kEdit, kEditContent, "abc");  // the same text
  EXPECT_EQ(CallsOf(3), 1);
  WriteText(kWin, kEdit, kEditContent, "新内容");
  EXPECT_EQ(CallsOf(3), 2);
  EXPECT_EQ(ReadText(kWin, kEdit, kEditContent), "新内容");
  EXPECT_EQ(HandlerCalls().back().unit, kEdit);
}

TEST_F(Framework, KeyDownHandlerThatReturnsZeroSwallowsTheKey) {
  Load();
  HWND edit = UnitHandle(kWin, kEdit);
  struct Case {
    HandlerResult answer;
    bool consumed;
  };
  const Case cases[] = {{NoValue(), false}, {ReturnValue(0), true}, {ReturnValue(1), false}};
  for (const auto& c : cases) {
    HandlerCalls().clear();
    g_handlerAnswer = c.answer;
    EXPECT_EQ(PreTranslate(edit, WM_KEYDOWN, 'A'), c.consumed);
    ASSERT_EQ(HandlerCalls().size(), 1u);
    EXPECT_EQ(HandlerCalls()[0].args[0], uint32_t('A'));
    EXPECT_EQ(HandlerCalls()[0].args[1], 0u);
  }
}

TEST_F(Framework, KeyEventsReportKeypadKeysAsMainKeysAndTheModifiers) {
  Load();
  HWND edit = UnitHandle(kWin, kEdit);
  const struct {
    WPARAM vk;
    bool ctrl, shift;
    uint32_t code, modifiers;
  } cases[] = {
      {VK_NUMPAD0, false, false, '0', 0}, {VK_NUMPAD9, false, false, '9', 0},
      {VK_SUBTRACT, false, false, 189, 0}, {VK_DECIMAL, false, false, 190, 0},
      {VK_DIVIDE, false, false, 191, 0},  {VK_MULTIPLY, false, false, VK_MULTIPLY, 0},
      {'A', true, false, 'A', 1},         {'A', true, true, 'A', 3},
      {VK_CONTROL, true, false, VK_CONTROL, 0},  // the key's own modifier is left out
      {VK_SHIFT, true, true, VK_SHIFT, 1},
  };
  for (const auto& c : cases) {
    HandlerCalls().clear();
    SetModifiers(c.ctrl, c.shift, false);
    PreTranslate(edit, WM_KEYDOWN, c.vk);
    ASSERT_EQ(HandlerCalls().size(), 1u) << c.vk;
    EXPECT_EQ(HandlerCalls()[0].args[0], c.code) << c.vk;
    EXPECT_EQ(HandlerCalls()[0].args[1], c.modifiers) << c.vk;
  }
}

TEST_F(Framework, MouseAndCharacterEvents) {
  Load();
  HWND edit = UnitHandle(kWin, kEdit);
  HandlerCalls().clear();
  g_handlerAnswer = ReturnValue(0);
  EXPECT_TRUE(PreTranslate(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 7)));
  ASSERT_EQ(HandlerCalls().size(), 1u);
  EXPECT_EQ(HandlerCalls()[0].args[0], 5u);
  EXPECT_EQ(HandlerCalls()[0].args[1], 7u);

  HandlerCalls().clear();
  g_handlerAnswer = ReturnValue(-1);
  EXPECT_FALSE(PreTranslate(edit, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-240)), 0));
  ASSERT_EQ(HandlerCalls().size(), 1u);
  EXPECT_EQ(static_cast<int32_t>(HandlerCalls()[0].args[0]), -2);

  // A returned character replaces the typed one; 0 drops it.
  g_handlerAnswer = ReturnValue('Z');
  MSG msg{edit, WM_CHAR, 'a', 0, 0, {}};
  EXPECT_FALSE(UnitFrameworkHost().preTranslate(&msg));
  EXPECT_EQ(msg.wParam, WPARAM('Z'));
  g_handlerAnswer = ReturnValue(0);
  EXPECT_TRUE(PreTranslate(edit, WM_CHAR, 'a'));
}

TEST_F(Framework, KeysToADisabledUnitPassWithoutEvents) {
  Load();
  HWND edit = UnitHandle(kWin, kEdit);
  EnableWindow(edit, FALSE);
  HandlerCalls().clear();
  g_handlerAnswer = ReturnValue(0);
  EXPECT_FALSE(PreTranslate(edit, WM_KEYDOWN, 'A'));
  EXPECT_FALSE(PreTranslate(edit, WM_CHAR, 'a'));
  EXPECT_TRUE(HandlerCalls().empty());
}

TEST_F(Framework, MessagesOfOtherWindowsAreNotEvents) {
  Load();
  HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  HandlerCalls().clear();
  g_handlerAnswer = ReturnValue(0);
  EXPECT_FALSE(PreTranslate(other, WM_KEYDOWN, 'A'));
  EXPECT_TRUE(HandlerCalls().empty());
  DestroyWindow(other);
}

TEST_F(Framework, EventSourceLinksFollowOnlyRecordsOfTheSameType) {
  constexpr uint32_t kA = 0x16000002, kB = 0x16000003, kLabelSource = 0x16000004, kC = 0x16000005,
                     kSelf = 0x16000006, kNoHandler = 0x16000007;
  std::vector<TestUnit> units = {
      {.id = kOwn, .type = kWindowType, .width = 200, .height = 200, .blob = WindowBlob()},
      {.id = kA, .type = kButtonType, .width = 50, .height = 20, .bindings = {Bind(kButtonClicked, 1)},
       .eventSource = kLabelSource},
      {.id = kB, .type = kButtonType, .width = 50, .height = 20, .bindings = {Bind(kButtonClicked, 2)},
       .eventSource = kC},
      {.id = kLabelSource, .type = kLabelType, .width = 50, .height = 20, .bindings = {Bind(0, 3)}},
      {.id = kC, .type = kButtonType, .width = 50, .height = 20, .bindings = {Bind(kButtonClicked, 4)},
       .eventSource = kB},  // a cycle back to B
      {.id = kSelf, .type = kButtonType, .width = 50, .height = 20, .bindings = {Bind(kButtonClicked, 5)},
       .eventSource = kSelf},
      {.id = kNoHandler, .type = kButtonType, .width = 50, .height = 20,
       .bindings = {{0, kNoHandlerOffset}}},
  };
  Load(units);
  struct Case {
    uint32_t unit;
    int recorder;  // -1: no handler runs
  };
  const Case cases[] = {{kA, 1}, {kB, 4}, {kC, 2}, {kLabelSource, 3}, {kSelf, 5}, {kNoHandler, -1}};
  for (const auto& c : cases) {
    HandlerCalls().clear();
    EventOutcome out = RaiseEvent(kWin, c.unit, 0);
    EXPECT_EQ(out.ran, c.recorder >= 0) << std::hex << c.unit;
    if (c.recorder < 0) continue;
    ASSERT_EQ(HandlerCalls().size(), 1u);
    EXPECT_EQ(HandlerCalls()[0].handler, c.recorder) << std::hex << c.unit;
    EXPECT_EQ(HandlerCalls()[0].unit, c.unit) << "the unit that raised the event is the source";
  }
}

TEST_F(Framework, FireEventThroughRuntimeNotifyAnswersTheHandlersValue) {
  Load();
  g_handlerAnswer = ReturnValue(42);
  EventRequest request{};
  request.windowId = kWin;
  request.unitId = kEdit;
  request.event = kEventKeyDown;
  request.argc = 2;
  request.args[0] = 13;
  request.args[1] = 4;
  EXPECT_EQ(RuntimeNotify(kNotifyFireEvent, reinterpret_cast<intptr_t>(&request), 0), 1);
  EXPECT_EQ(request.answered, 1);
  EXPECT_EQ(request.answer, 42);
  EXPECT_EQ(HandlerCalls().back().args[0], 13u);
  EXPECT_EQ(HandlerCalls().back().args[1], 4u);

  // Suppressed: nothing is delivered, and resuming never goes below 0.
  RuntimeNotify(kNotifySuppressEvents, 0, 0);
  request = EventRequest{kWin, kEdit, kEventKeyDown, 0, {}, 0, 0};
  EXPECT_EQ(RuntimeNotify(kNotifyFireEvent, reinterpret_cast<intptr_t>(&request), 0), 0);
  RuntimeNotify(kNotifyResumeEvents, 0, 0);
  RuntimeNotify(kNotifyResumeEvents, 0, 0);
  EXPECT_EQ(EventSuppressCount(), 0);
  // An event nothing is bound to runs no handler.
  request = EventRequest{kWin, kEdit, 77, 0, {}, 0, 0};
  EXPECT_EQ(RuntimeNotify(kNotifyFireEvent, reinterpret_cast<intptr_t>(&request), 0), 0);
}

TEST_F(Framework, TypedEventArgumentsBecomeHandlerWords) {
  Load();
  TypedEventRequest request{};
  request.windowId = kWin;
  request.unitId = kEdit;
  request.event = kEventKeyDown;
  request.argc = 4;
  double d = 1.5;
  uint64_t bits;
  memcpy(&bits, &d, 8);
  request.args[0] = {5, kTypeInt, 0};
  request.args[1] = {bits, kTypeDouble, 0};
  request.args[2] = {0x1FF, kTypeByte, 0};
  request.args[3] = {0xFFFE, kTypeShort, 0};
  g_handlerAnswer = ReturnValue(-3);
  EXPECT_EQ(RuntimeNotify(kNotifyFireTypedEvent, reinterpret_cast<intptr_t>(&request), 0), 1);
  EXPECT_EQ(request.answered, 1);
  EXPECT_EQ(request.answer, -3);
  const HandlerCall& call = HandlerCalls().back();
  EXPECT_EQ(call.words[0], 5u);
  int next = 1;
  if (sizeof(uintptr_t) == 8) {
    EXPECT_EQ(call.words[next++], bits);
  } else {
    EXPECT_EQ(call.words[next++], static_cast<uint32_t>(bits));
    EXPECT_EQ(call.words[next++], static_cast<uint32_t>(bits >> 32));
  }
  EXPECT_EQ(call.words[next++], 0xFFu) << "a byte is zero-extended";
  EXPECT_EQ(call.words[next++], static_cast<uintptr_t>(-2)) << "a short is sign-extended";
}

TEST_F(Framework, ResolveUnitAnswersLiveUnitsOnly) {
  ASSERT_TRUE(StartRuntime(BuildTemplate(kWin, StandardUnits())));
  EXPECT_EQ(RuntimeNotify(kNotifyResolveUnit, kWin, kEdit), 0) << "not created yet";
  ASSERT_TRUE(UnitFrameworkHost().loadWindow(kWin, false, nullptr));
  auto* edit = reinterpret_cast<UnitObject*>(RuntimeNotify(kNotifyResolveUnitMandatory, kWin, kEdit));
  ASSERT_TRUE(edit);
  EXPECT_EQ(edit->unitId, kEdit);
  auto* window = reinterpret_cast<UnitObject*>(RuntimeNotify(kNotifyResolveUnit, kWin, 0));
  ASSERT_TRUE(window);
  EXPECT_EQ(window->unitId, kOwn);
  EXPECT_EQ(RuntimeNotify(kNotifyResolveUnit, kWin, 0x16009999), 0);
  EXPECT_EQ(RuntimeNotify(kNotifyResolveUnit, 0x52009999, kEdit), 0);
}

TEST_F(Framework, TypeInformationComesFromTheLibraries) {
  ASSERT_TRUE(StartRuntime(BuildTemplate(kWin, StandardUnits())));
  auto type = [](uint32_t code) {
    return reinterpret_cast<const UnitTypeInfo*>(RuntimeNotify(kNotifyTypeInfo, code, 0));
  };
  ASSERT_NE(type(kButtonType), nullptr);
  EXPECT_STREQ(type(kButtonType)->englishName, "Button");
  EXPECT_EQ(type(kButtonType)->flags, 0x80000840u);
  EXPECT_EQ(type(kComboType)->propertyCount, 25);
  EXPECT_EQ(type(kWindowType)->properties[8].type, kPropText);
  EXPECT_EQ(type(UnitTypeCode(kCoreLibraryNumber, 1)), nullptr) << "a type number the library leaves empty";
  EXPECT_EQ(type(UnitTypeCode(kCoreLibraryNumber, 14)), nullptr) << "beyond the library's types";
  EXPECT_EQ(type(UnitTypeCode(4, 0)), nullptr) << "a library that is not linked";
  EXPECT_EQ(type(0), nullptr);
}

TEST_F(Framework, ClosingTheWindowResetsItsRecordsForTheNextLoad) {
  Load();
  WriteInt(kWin, kButton, kCommonLeft, 123);
  HWND first = UnitHandle(kWin, 0);
  DestroyWindow(first);
  EXPECT_EQ(UnitHandle(kWin, 0), nullptr);
  EXPECT_EQ(UnitHandle(kWin, kEdit), nullptr);
  LoadedWindow* win = FindLoadedWindow(kWin);
  for (auto& rec : win->tmpl->records) EXPECT_EQ(rec->object, nullptr);
  EXPECT_EQ(win->Record(kButton)->left, 10) << "back to the template's record";
  EXPECT_EQ(UnitFrameworkHost().loadedWindowHandle(0), nullptr);

  HandlerCalls().clear();
  ASSERT_TRUE(UnitFrameworkHost().loadWindow(kWin, false, nullptr));
  EXPECT_TRUE(IsWindow(UnitHandle(kWin, 0)));
  EXPECT_EQ(CallsOf(0), 1);
  EXPECT_EQ(UnitFrameworkHost().loadedWindowHandle(0), UnitHandle(kWin, 0));
  EXPECT_EQ(ReadInt(kWin, kButton, kCommonLeft), 10);
}

TEST_F(Framework, LoadingALiveWindowAgainCreatesNothing) {
  Load();
  HWND hwnd = UnitHandle(kWin, 0);
  HandlerCalls().clear();
  EXPECT_TRUE(UnitFrameworkHost().loadWindow(kWin, false, nullptr));
  EXPECT_EQ(UnitHandle(kWin, 0), hwnd);
  EXPECT_EQ(CallsOf(0), 0);
  EXPECT_FALSE(UnitFrameworkHost().loadWindow(0x52009999, false, nullptr));
}

TEST_F(Framework, ANonModalLoadWithADeadOwnerFails) {
  ASSERT_TRUE(StartRuntime(BuildTemplate(kWin, StandardUnits())));
  HWND gone = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  DestroyWindow(gone);
  EXPECT_FALSE(UnitFrameworkHost().loadWindow(kWin, false, gone));
  EXPECT_EQ(UnitHandle(kWin, 0), nullptr);
}

TEST_F(Framework, ABlobVersionTooHighFailsTheUnitAndTheLoad) {
  auto units = StandardUnits();
  ByteWriter blob;
  blob.U32(EditProps::kHighestVersion + 1);
  units[1].blob = blob.Take();
  ASSERT_TRUE(StartRuntime(BuildTemplate(kWin, units)));
  EXPECT_FALSE(UnitFrameworkHost().loadWindow(kWin, false, nullptr));
  EXPECT_EQ(driver::FindTopLevelWindow(GetCurrentProcessId(), "WTWindow", "测试窗口", true), nullptr) << "nothing of the window is left";
  LoadedWindow* win = FindLoadedWindow(kWin);
  for (auto& rec : win->tmpl->records) EXPECT_EQ(rec->object, nullptr);
  EXPECT_TRUE(HandlerCalls().empty());
  EXPECT_EQ(EventSuppressCount(), 0);
}

TEST_F(Framework, AUnitTypeTheLibraryLacksFailsTheLoad) {
  auto units = StandardUnits();
  units[3].type = UnitTypeCode(kCoreLibraryNumber, 6);  // not in the test library
  ASSERT_TRUE(StartRuntime(BuildTemplate(kWin, units)));
  EXPECT_FALSE(UnitFrameworkHost().loadWindow(kWin, false, nullptr));
  EXPECT_EQ(EventSuppressCount(), 0);
}

TEST_F(Framework, ChangingTheComboStyleRecreatesItInPlace) {
  Load();
  HWND old = UnitHandle(kWin, kCombo);
  HWND above = GetWindow(old, GW_HWNDPREV);
  const int id = GetDlgCtrlID(old);
  WriteInt(kWin, kCombo, kComboSelection, 2);
  HandlerCalls().clear();
  WriteInt(kWin, kCombo, kComboStyle, 2);
  HWND now = UnitHandle(kWin, kCombo);
  ASSERT_TRUE(now);
  EXPECT_NE(now, old);
  EXPECT_FALSE(IsWindow(old));
  EXPECT_EQ(GetWindowLongPtrA(now, GWL_STYLE) & 3, CBS_DROPDOWNLIST);
  EXPECT_EQ(GetDlgCtrlID(now), id);
  EXPECT_EQ(GetWindow(now, GW_HWNDPREV), above);
  EXPECT_EQ(SendMessageA(now, CB_GETCOUNT, 0, 0), 4);
  EXPECT_EQ(ReadInt(kWin, kCombo, kComboSelection), 2);
  EXPECT_TRUE(IsWindowVisible(now));
  EXPECT_TRUE(HandlerCalls().empty());
  EXPECT_EQ(EventSuppressCount(), 0);
}

TEST_F(Framework, TabMovesThroughTheUnitsInTabOrder) {
  Load();
  HWND edit = UnitHandle(kWin, kEdit), button = UnitHandle(kWin, kButton),
       combo = UnitHandle(kWin, kCombo);
  // Equal tab-order numbers: descending table position.
  LoadedWindow* win = FindLoadedWindow(kWin);
  auto seq = TabSequence(*win);
  ASSERT_EQ(seq.size(), 3u);
  EXPECT_EQ(seq[0]->id, kCombo);
  EXPECT_EQ(seq[1]->id, kButton);
  EXPECT_EQ(seq[2]->id, kEdit);

  SetFocus(edit);
  EXPECT_TRUE(PreTranslate(edit, WM_KEYDOWN, VK_TAB));
  EXPECT_TRUE(GetFocus() == combo || IsChild(combo, GetFocus())) << "wraps to the first";
  PreTranslate(GetFocus(), WM_KEYDOWN, VK_TAB);
  EXPECT_EQ(GetFocus(), button);
  SetModifiers(false, true, false);
  PreTranslate(button, WM_KEYDOWN, VK_TAB);
  EXPECT_TRUE(GetFocus() == combo || IsChild(combo, GetFocus()));
  PreTranslate(GetFocus(), WM_KEYDOWN, VK_TAB);
  EXPECT_EQ(GetFocus(), edit) << "Shift+Tab wraps to the last";
}

TEST_F(Framework, TabOrderNumbersComeFirst) {
  auto units = StandardUnits();
  units[1].tabOrder = 1;  // edit
  units[2].tabOrder = 2;  // button
  units[4].tabOrder = 1;  // combo
  Load(units);
  auto seq = TabSequence(*FindLoadedWindow(kWin));
  ASSERT_EQ(seq.size(), 3u);
  EXPECT_EQ(seq[0]->id, kCombo);
  EXPECT_EQ(seq[1]->id, kEdit);
  EXPECT_EQ(seq[2]->id, kButton);
}

TEST_F(Framework, EscapeClosesTheWindowUnlessTheFocusedUnitClaimsIt) {
  Load();
  HWND window = UnitHandle(kWin, 0);
  SetFocus(UnitHandle(kWin, kEdit));
  EXPECT_TRUE(PreTranslate(UnitHandle(kWin, kEdit), WM_KEYDOWN, VK_ESCAPE));
  PumpMessages();
  EXPECT_FALSE(IsWindow(window));
}

TEST_F(Framework, EscapeDoesNothingWhenTheWindowSaysSo) {
  auto units = StandardUnits();
  units[0].blob = EncodeWindowProps(WindowProps{.escapeCloses = 0, .title = "测试窗口"});
  Load(units);
  EXPECT_FALSE(PreTranslate(UnitHandle(kWin, kEdit), WM_KEYDOWN, VK_ESCAPE));
  PumpMessages();
  EXPECT_TRUE(IsWindow(UnitHandle(kWin, 0)));
}

TEST_F(Framework, EnterClicksTheDefaultButton) {
  auto units = StandardUnits();
  units[2].blob = EncodeButtonProps(ButtonProps{.defaultButton = 1, .caption = "确定"});
  Load(units);
  SetFocus(UnitHandle(kWin, kEdit));
  HandlerCalls().clear();
  EXPECT_TRUE(PreTranslate(UnitHandle(kWin, kEdit), WM_KEYDOWN, VK_RETURN));
  EXPECT_EQ(CallsOf(5), 1);
}

TEST_F(Framework, EnterWithoutADefaultButtonPassesOn) {
  Load();
  SetFocus(UnitHandle(kWin, kEdit));
  HandlerCalls().clear();
  EXPECT_FALSE(PreTranslate(UnitHandle(kWin, kEdit), WM_KEYDOWN, VK_RETURN));
  EXPECT_EQ(CallsOf(5), 0);
}

TEST_F(Framework, ButtonClickIsEventZero) {
  Load();
  HandlerCalls().clear();
  SendMessageA(UnitHandle(kWin, kButton), BM_CLICK, 0, 0);
  EXPECT_EQ(CallsOf(5), 1);
  EXPECT_EQ(HandlerCalls().back().unit, kButton);
}

}  // namespace
