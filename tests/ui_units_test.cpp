// The basic units on real controls: label painting, the edit box's height
// and adjuster, the combo box's room, items and events, the window's
// styles and icons, and the font and cursor property conversions.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstring>

#include "runtime/heap.h"
#include "tests/ui_test_support.h"
#include "ui/button/button_unit.h"
#include "ui/combo/combo_unit.h"
#include "ui/framework/font_value.h"
#include "ui/framework/host.h"
#include "ui/framework/properties.h"
#include "ui/framework/window_list.h"
#include "ui/label/label_paint.h"
#include "ui/label/label_unit.h"
#include "ui/template/button_blob.h"
#include "ui/template/combo_blob.h"
#include "ui/template/edit_blob.h"
#include "ui/template/label_blob.h"
#include "ui/template/window_blob.h"
#include "ui/window/window_icons.h"
#include "ui/window/window_style.h"
#include "ui/window/window_unit.h"

namespace {

constexpr uint32_t kWin = 0x52000001, kOwn = 0x06000001, kUnit = 0x16000002, kOther = 0x16000003;

BindingDecl Bind(int event, int recorder) { return {event, RecorderOffset(recorder)}; }

// A window holding one unit of the given type (and blob), with its events
// 0 ... 4, -7 and -8 bound to recorders 0 ... 4, 5 and 5.
std::vector<TestUnit> OneUnit(uint32_t type, std::vector<uint8_t> blob, int height = 20,
                              uint32_t flags = 5) {
  return {
      {.id = kOwn, .type = kWindowType, .left = 50, .top = 50, .width = 300, .height = 300,
       .flags = 1, .blob = EncodeWindowProps(WindowProps{.startPosition = 0, .title = "单元"})},
      {.id = kUnit, .type = type, .name = "单元1", .left = 10, .top = 10, .width = 120,
       .height = height, .flags = flags, .blob = std::move(blob),
       .bindings = {Bind(0, 0), Bind(1, 1), Bind(2, 2), Bind(3, 3), Bind(4, 4), Bind(kEventGotFocus, 5),
                    Bind(kEventLostFocus, 5)}},
  };
}

class Units : public ::testing::Test {
 protected:
  void TearDown() override { StopRuntime(); }
  void Load(const std::vector<TestUnit>& units) {
    ASSERT_TRUE(StartRuntime(BuildTemplate(kWin, units)));
    ASSERT_TRUE(UnitFrameworkHost().loadWindow(kWin, false, nullptr));
    PumpMessages();
    HandlerCalls().clear();
  }
  static HWND Unit() { return UnitHandle(kWin, kUnit); }
  static int Calls(int recorder) {
    int n = 0;
    for (const auto& c : HandlerCalls()) n += c.handler == recorder;
    return n;
  }
  // Sends a child notification to the window, which reflects it.
  static void Notify(HWND control, WORD code) {
    SendMessageA(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
                 reinterpret_cast<LPARAM>(control));
  }
};

LOGFONTA FontOfHeight(int height) {
  LOGFONTA lf{};
  lf.lfHeight = height;
  lf.lfCharSet = DEFAULT_CHARSET;
  strcpy(lf.lfFaceName, "Tahoma");
  return lf;
}

std::vector<uint8_t> Bytes(const LOGFONTA& lf) {
  auto p = reinterpret_cast<const uint8_t*>(&lf);
  return {p, p + sizeof lf};
}

// Paints a label into a 40 x 20 bitmap and answers the pixel at (x, y).
COLORREF PaintedPixel(const LabelProps& props, int x, int y) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, 40, 20);
  HGDIOBJ old = SelectObject(dc, bmp);
  RECT r{0, 0, 40, 20};
  PaintLabel(dc, r, props, static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), "");
  COLORREF c = GetPixel(dc, x, y);
  SelectObject(dc, old);
  DeleteObject(bmp);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return c;
}

}  // namespace

TEST(LabelPaint, GradientFrameNeedsTwoColours) {
  const uint32_t face = 0xFF000000;
  struct Case {
    uint32_t colors[3];
    COLORREF corner;
  };
  const Case cases[] = {
      {{face, 0x0000FF, face}, 0x00FF00},          // one colour: no frame, background shows
      {{0x0000FF, face, 0xFF0000}, 0x0000FF},      // two colours: the outer ring is the first
      {{0xFF0000, 0x00FFFF, 0x0000FF}, 0xFF0000},
  };
  for (const auto& c : cases) {
    LabelProps p{.border = 6, .backColor = 0x00FF00};
    memcpy(p.borderColors, c.colors, sizeof c.colors);
    EXPECT_EQ(PaintedPixel(p, 0, 0), c.corner) << std::hex << c.colors[0] << " " << c.colors[1];
    EXPECT_EQ(PaintedPixel(p, 20, 10), COLORREF(0x00FF00)) << "inside the frame";
  }
}

TEST(LabelPaint, GradientEndsAtItsColours) {
  COLORREF two[3] = {RGB(0, 0, 0), RGB(200, 100, 50)};
  EXPECT_EQ(GradientAt(two, 2, 0, 10), RGB(0, 0, 0));
  EXPECT_EQ(GradientAt(two, 2, 10, 10), RGB(200, 100, 50));
  EXPECT_EQ(GradientAt(two, 2, 5, 10), RGB(100, 50, 25));
  COLORREF three[3] = {RGB(0, 0, 0), RGB(100, 100, 100), RGB(0, 0, 0)};
  EXPECT_EQ(GradientAt(three, 3, 5, 10), RGB(100, 100, 100));
  LabelProps p{.gradientMode = 1, .gradientColors = {0x0000FF, 0xFF000000, 0xFF0000}};
  EXPECT_EQ(PaintedPixel(p, 0, 5), COLORREF(0x0000FF));
  EXPECT_EQ(PaintedPixel(p, 39, 5), COLORREF(0xFF0000));
}

TEST(WindowStyle, FromTheBorderStyleAndButtons) {
  struct Case {
    uint32_t border;
    bool title, controlBox, owned;
    DWORD has, lacks, exHas;
  };
  const Case cases[] = {
      {0, true, true, false, WS_CLIPCHILDREN, WS_CAPTION | WS_DLGFRAME | WS_SYSMENU, 0},
      {2, true, true, false, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, WS_THICKFRAME | WS_MAXIMIZEBOX | WS_POPUP, 0},
      {2, false, false, false, WS_DLGFRAME, WS_CAPTION & ~WS_DLGFRAME, 0},
      {1, true, true, false, WS_THICKFRAME | WS_CAPTION, 0, 0},
      {3, true, true, false, WS_THICKFRAME, 0, WS_EX_TOOLWINDOW},
      {4, true, true, false, WS_CAPTION, WS_THICKFRAME, WS_EX_TOOLWINDOW},
      {5, true, true, false, WS_THICKFRAME, 0, WS_EX_CLIENTEDGE},
      {6, true, true, true, WS_POPUP | WS_CAPTION, WS_THICKFRAME, WS_EX_CLIENTEDGE},
  };
  for (const auto& c : cases) {
    WindowProps p{.borderStyle = c.border, .controlBox = c.controlBox ? 1u : 0u};
    if (c.title) p.title = "标题";
    WindowStyles s = WindowStylesOf(p, c.owned);
    EXPECT_EQ(s.style & c.has, c.has) << c.border;
    EXPECT_EQ(s.style & c.lacks, 0u) << c.border;
    EXPECT_EQ(s.exStyle & c.exHas, c.exHas) << c.border;
  }
  WindowProps maxed{.borderStyle = 2, .startPosition = 3};
  EXPECT_FALSE(WindowStylesOf(maxed, false).style & WS_MAXIMIZE) << "a fixed border is not maximized";
  maxed.borderStyle = 1;
  EXPECT_TRUE(WindowStylesOf(maxed, false).style & WS_MAXIMIZE);
}

TEST(WindowStyle, StartPositionOneCentres) {
  WindowProps p;
  POINT at = StartPosition(p, {50, 50}, {396, 501}, {1024, 768});
  EXPECT_EQ(at.x, (1024 - 396) / 2);
  EXPECT_EQ(at.y, (768 - 501) / 2);
  p.startPosition = 0;
  at = StartPosition(p, {50, 60}, {396, 501}, {1024, 768});
  EXPECT_EQ(at.x, 50);
  EXPECT_EQ(at.y, 60);
}

TEST(WindowIcons, FromIconFileData) {
  // One 16 x 16, 32-bit image: header, entry, BITMAPINFOHEADER, pixels, mask.
  std::vector<uint8_t> ico(6 + 16 + 40 + 16 * 16 * 4 + 16 * 4, 0);
  auto put16 = [&](size_t at, uint16_t v) { memcpy(&ico[at], &v, 2); };
  auto put32 = [&](size_t at, uint32_t v) { memcpy(&ico[at], &v, 4); };
  put16(2, 1);
  put16(4, 1);
  ico[6] = 16, ico[7] = 16;
  put16(6 + 4, 1);
  put16(6 + 6, 32);
  put32(6 + 8, static_cast<uint32_t>(ico.size() - 22));
  put32(6 + 12, 22);
  put32(22, 40);
  put32(26, 16);
  put32(30, 32);
  put16(34, 1);
  put16(36, 32);
  for (size_t i = 62; i < 62 + 1024; i += 4) ico[i + 3] = 0xFF, ico[i] = 0x80;
  HICON icon = IconFromData(ico, 16);
  EXPECT_NE(icon, nullptr);
  if (icon) DestroyIcon(icon);

  std::vector<uint8_t> truncated(ico.begin(), ico.begin() + 40);
  EXPECT_EQ(IconFromData(truncated, 16), nullptr);
  std::vector<uint8_t> badOffset = ico;
  memcpy(&badOffset[6 + 12], "\xFF\xFF\xFF\x7F", 4);
  EXPECT_EQ(IconFromData(badOffset, 16), nullptr);
  EXPECT_EQ(IconFromData({}, 16), nullptr);
}

TEST_F(Units, SingleLineEditGrowsToItsFontsHeight) {
  Load(OneUnit(kEditType, EncodeEditProps(EditProps{.font = Bytes(FontOfHeight(-30))})));
  RECT r;
  GetWindowRect(Unit(), &r);
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(Unit(), WM_GETFONT, 0, 0));
  HDC dc = GetDC(Unit());
  HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICA tm;
  GetTextMetricsA(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(Unit(), dc);
  EXPECT_GE(r.bottom - r.top, tm.tmHeight + 2 * GetSystemMetrics(SM_CYEDGE));
  EXPECT_GT(r.bottom - r.top, 20);
}

TEST_F(Units, EditStylesAndAdjuster) {
  Load(OneUnit(kEditType, EncodeEditProps(EditProps{.inputMode = 2, .adjuster = 1,
                                                    .adjusterLower = 50, .adjusterUpper = 10})));
  EXPECT_EQ(SendMessageA(Unit(), EM_GETPASSWORDCHAR, 0, 0), '*');
  HWND updown = FindWindowExA(UnitHandle(kWin, 0), nullptr, UPDOWN_CLASSA, nullptr);
  ASSERT_TRUE(updown);
  EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(updown, UDM_GETBUDDY, 0, 0)), Unit());
  int low = 0, high = 0;
  SendMessageA(updown, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
  EXPECT_EQ(low, 10);
  EXPECT_EQ(high, 50);
  EXPECT_TRUE(IsWindowVisible(updown));
}

TEST_F(Units, EditFocusEventsComeFromItsNotifications) {
  Load(OneUnit(kEditType, {}));
  // Let the display's activation of the new window settle first: a late
  // activation moves the focus around again and would count twice.
  PumpMessages(300);
  SetForegroundWindow(UnitHandle(kWin, 0));
  SetFocus(UnitHandle(kWin, 0));
  PumpMessages(100);
  HandlerCalls().clear();
  SetFocus(Unit());
  PumpMessages();
  // Gained once. The focus belongs to the active window: this program holds
  // the display's lock (see tests/CMakeLists.txt), so no program beside it
  // takes the activation away; Wine's own late activation may still add a
  // lost/gained pair.
  ASSERT_GE(Calls(5), 1);
  EXPECT_EQ(HandlerCalls().front().handler, 5);
  EXPECT_EQ(HandlerCalls().front().unit, kUnit);
  EXPECT_EQ(Calls(5) % 2, 1);
}

TEST_F(Units, ComboDropDownHasRoomForItsList) {
  // Designed 20 pixels high, a drop-down is created 160 high, as one
  // designed 160 high; a taller one keeps its height.
  auto units = OneUnit(kComboType, EncodeComboProps(ComboProps{.items = {"a", "b"}}));
  for (int32_t height : {160, 300}) {
    TestUnit more = units[1];
    more.id = units.back().id + 1;
    more.height = height;
    units.push_back(more);
  }
  Load(units);
  auto droppedHeight = [](uint32_t id) {
    RECT r;
    SendMessageA(UnitHandle(kWin, id), CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&r));
    return r.bottom - r.top;
  };
  EXPECT_EQ(droppedHeight(kUnit), droppedHeight(kUnit + 1));
  EXPECT_GT(droppedHeight(kUnit + 2), droppedHeight(kUnit + 1));
  EXPECT_GT(droppedHeight(kUnit), 100);
}

TEST_F(Units, ComboItemsCarryTheirData) {
  ComboProps p{.items = {"机器名", "MAC", "IP"}};
  p.itemData = {7, 0, 0, 0, 8, 0, 0, 0};  // the third item has none
  Load(OneUnit(kComboType, EncodeComboProps(p)));
  EXPECT_EQ(SendMessageA(Unit(), CB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessageA(Unit(), CB_GETITEMDATA, 0, 0), 7);
  EXPECT_EQ(SendMessageA(Unit(), CB_GETITEMDATA, 1, 0), 8);
  EXPECT_EQ(SendMessageA(Unit(), CB_GETITEMDATA, 2, 0), 0);
  char text[32] = {};
  SendMessageA(Unit(), CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "机器名");
}

TEST_F(Units, ComboSelectionEventSeesTheSettledSelection) {
  Load(OneUnit(kComboType, EncodeComboProps(ComboProps{.items = {"a", "b", "c"}})));
  SendMessageA(Unit(), CB_SETCURSEL, 2, 0);
  Notify(Unit(), CBN_SELENDOK);
  EXPECT_EQ(Calls(0), 0) << "raised only once the posted message arrives";
  PumpMessages();
  EXPECT_EQ(Calls(0), 1);
  EXPECT_EQ(ReadInt(kWin, kUnit, kComboSelection), 2);

  const struct {
    WORD code;
    int recorder;
  } cases[] = {{CBN_EDITCHANGE, 1}, {CBN_DROPDOWN, 2}, {CBN_CLOSEUP, 3}, {CBN_DBLCLK, 4}};
  for (const auto& c : cases) {
    HandlerCalls().clear();
    Notify(Unit(), c.code);
    EXPECT_EQ(Calls(c.recorder), 1) << c.code;
  }
}

TEST_F(Units, TypedTextLeavesTheComboWithoutASelection) {
  Load(OneUnit(kComboType, EncodeComboProps(ComboProps{.selection = 1, .items = {"机器名", "MAC"}})));
  EXPECT_EQ(ReadInt(kWin, kUnit, kComboSelection), 1);
  HWND edit = FindWindowExA(Unit(), nullptr, "Edit", nullptr);
  ASSERT_TRUE(edit);
  SetFocus(edit);
  SendMessageA(edit, WM_CHAR, 'x', 0);
  PumpMessages();
  EXPECT_EQ(ReadInt(kWin, kUnit, kComboSelection), -1);
  EXPECT_EQ(ReadText(kWin, kUnit, kComboContent), "x") << "the focused field's text was selected, so replaced";
}

TEST_F(Units, ButtonDefaultStyleFollowsItsProperty) {
  Load(OneUnit(kButtonType, EncodeButtonProps(ButtonProps{.caption = "导出选中项"})));
  char text[32] = {};
  GetWindowTextA(Unit(), text, sizeof text);
  EXPECT_STREQ(text, "导出选中项");
  EXPECT_NE(GetWindowLongPtrA(Unit(), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  WriteInt(kWin, kUnit, kButtonDefault, 1);
  EXPECT_EQ(GetWindowLongPtrA(Unit(), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  EXPECT_EQ(ReadInt(kWin, kUnit, kButtonDefault), 1);
}

TEST_F(Units, WindowTitleAndDefaultIcon) {
  Load(OneUnit(kLabelType, {}));
  HWND window = UnitHandle(kWin, 0);
  WriteText(kWin, 0, kWindowTitle, "新标题");
  char text[32] = {};
  GetWindowTextA(window, text, sizeof text);
  EXPECT_STREQ(text, "新标题");
  EXPECT_EQ(ReadText(kWin, 0, kWindowTitle), "新标题");
  // A label without a blob shows its default caption.
  EXPECT_EQ(ReadText(kWin, kUnit, kLabelCaption), "标签");
  RECT r;
  GetWindowRect(window, &r);
  EXPECT_EQ(r.right - r.left, 300);
  EXPECT_EQ(r.bottom - r.top, 300);
}

TEST_F(Units, FontPropertyByElement) {
  Load(OneUnit(kLabelType, {}));
  WriteProperty(kWin, kUnit, kLabelFont, 5, 20);  // size in points
  EXPECT_EQ(static_cast<int32_t>(ReadProperty(kWin, kUnit, kLabelFont, 5)), 20);
  WriteProperty(kWin, kUnit, kLabelFont, 1, 1);  // bold
  WriteProperty(kWin, kUnit, kLabelFont, 0, static_cast<uint32_t>(-450));  // angle
  EXPECT_EQ(ReadProperty(kWin, kUnit, kLabelFont, 1), 1u);
  EXPECT_EQ(ReadProperty(kWin, kUnit, kLabelFont, 0), 3150u);
  WriteProperty(kWin, kUnit, kLabelFont, 6, ValueOf(""));  // an empty face gives the default face
  char* face = static_cast<char*>(PointerOf(ReadProperty(kWin, kUnit, kLabelFont, 6)));
  EXPECT_STREQ(face, "宋体");
  RtFree(face);

  auto* font = static_cast<FontRecord*>(PointerOf(ReadProperty(kWin, kUnit, kLabelFont, -1)));
  ASSERT_TRUE(font);
  EXPECT_EQ(font->size, 20);
  EXPECT_EQ(font->bold, 1);
  EXPECT_EQ(font->angle, 3150);
  EXPECT_STREQ(font->face, "宋体");
  // The whole record written back replaces the font.
  font->italic = 1;
  font->bold = 0;
  WriteProperty(kWin, kUnit, kLabelFont, -1, ValueOf(font));
  EXPECT_EQ(ReadProperty(kWin, kUnit, kLabelFont, 2), 1u);
  EXPECT_EQ(ReadProperty(kWin, kUnit, kLabelFont, 1), 0u);
  RtFree(font->face);
  RtFree(font);
}

// The font, text colour and background colour of each basic unit: what a
// read answers after a write, the font its window hands out, and the
// colours and brush a control gets from its parent's WM_CTLCOLOR* answer
// (the button face marker resolved at the write).
TEST_F(Units, LookPropertiesAreStoredAndShown) {
  const struct {
    uint32_t type;
    int font, textColor, backColor;
    UINT colorMessage;  // 0: the unit paints its colours itself
  } cases[] = {
      {kEditType, kEditFont, kEditTextColor, kEditBackColor, WM_CTLCOLOREDIT},
      {kComboType, kComboFont, kComboTextColor, kComboBackColor, WM_CTLCOLOREDIT},
      {kLabelType, kLabelFont, kLabelTextColor, kLabelBackColor, 0},
      {kButtonType, kButtonFont, 0, 0, 0},
  };
  const auto fontHeight = [](HWND hwnd) {
    LOGFONTW lf{};
    GetObjectW(reinterpret_cast<HGDIOBJ>(SendMessageW(hwnd, WM_GETFONT, 0, 0)), sizeof lf, &lf);
    return lf.lfHeight;
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.type);
    Load(OneUnit(c.type, {}));
    EXPECT_EQ(SendMessageW(Unit(), WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT)));
    WriteProperty(kWin, kUnit, c.font, 5, 30);  // points
    EXPECT_EQ(static_cast<int32_t>(ReadProperty(kWin, kUnit, c.font, 5)), 30);
    EXPECT_EQ(fontHeight(Unit()), PointsToHeight(30));
    if (c.textColor) {
      WriteInt(kWin, kUnit, c.textColor, 0x0000FF);
      WriteInt(kWin, kUnit, c.backColor, 0x123456);
      EXPECT_EQ(ReadInt(kWin, kUnit, c.textColor), 0x0000FF);
      EXPECT_EQ(ReadInt(kWin, kUnit, c.backColor), 0x123456);
    }
    if (c.colorMessage) {
      HDC dc = CreateCompatibleDC(nullptr);
      const auto brushColor = [&] {
        auto brush = reinterpret_cast<HGDIOBJ>(SendMessageW(GetParent(Unit()), c.colorMessage,
                                                            reinterpret_cast<WPARAM>(dc),
                                                            reinterpret_cast<LPARAM>(Unit())));
        LOGBRUSH lb{};
        EXPECT_EQ(GetObjectW(brush, sizeof lb, &lb), static_cast<int>(sizeof lb));
        return lb.lbColor;
      };
      EXPECT_EQ(brushColor(), 0x123456u);
      EXPECT_EQ(GetTextColor(dc), 0x0000FFu);
      EXPECT_EQ(GetBkColor(dc), 0x123456u);
      WriteInt(kWin, kUnit, c.backColor, static_cast<int32_t>(kColorButtonFace));
      EXPECT_EQ(brushColor(), GetSysColor(COLOR_BTNFACE));
      DeleteDC(dc);
    }
  }
}

TEST_F(Units, WindowErasesWithItsBackgroundColour) {
  Load(OneUnit(kLabelType, {}));
  WriteInt(kWin, 0, kWindowBackColor, 0x345678);
  EXPECT_EQ(ReadInt(kWin, 0, kWindowBackColor), 0x345678);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, 8, 8);
  HGDIOBJ old = SelectObject(dc, bmp);
  SendMessageW(UnitHandle(kWin, 0), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  EXPECT_EQ(GetPixel(dc, 2, 2), 0x345678u);
  SelectObject(dc, old);
  DeleteObject(bmp);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
}

TEST_F(Units, CursorPropertyTranslatesTheCursorNumber) {
  Load(OneUnit(kLabelType, {}));
  uint8_t data[4] = {3, 0, 0, 0};  // the program's I-beam
  RtArray* bytes = RtNewBytes(data, 4);
  WriteProperty(kWin, kUnit, kCommonCursor, -1, ValueOf(bytes));
  RtFree(bytes);
  UnitRecord* rec = FindLoadedWindow(kWin)->Record(kUnit);
  ASSERT_EQ(rec->cursorData.size(), 4u);
  uint32_t stored;
  memcpy(&stored, rec->cursorData.data(), 4);
  EXPECT_EQ(stored, 32513u);
  EXPECT_NE(rec->cursor, nullptr);
  auto* read = static_cast<RtArray*>(PointerOf(ReadProperty(kWin, kUnit, kCommonCursor, -1)));
  void* first = nullptr;
  ASSERT_EQ(RtArrayCount(read, &first), 4);
  EXPECT_EQ(*static_cast<uint8_t*>(first), 3);
  RtFree(read);
}
