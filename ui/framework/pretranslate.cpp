// Pre-translation; see pretranslate.h.
#include "ui/framework/pretranslate.h"

#include "runtime/gbk_boundary.h"
#include "ui/framework/events.h"
#include "ui/framework/keyboard.h"
#include "ui/framework/unit_types.h"
#include "ui/framework/window_list.h"

namespace {

bool IsKeyboardMessage(UINT m) { return m >= WM_KEYFIRST && m <= 0x108; }

bool RaisesEvents(const UnitRecord& rec) {
  const UnitTypeInfo* type = TypeInfoFor(rec.type);
  return type && (type->flags & (kTypeFlagEvents | kTypeFlagEvents2));
}

// Types that want every message of their window first.
bool RunMessageFilters(const LoadedWindow& win, MSG* msg) {
  for (auto& rec : win.tmpl->records) {
    if (rec->isMenuItem || !IsLive(*rec)) continue;
    const UnitTypeInfo* type = TypeInfoFor(rec->type);
    if (!type || !(type->flags & kTypeFlagWantsMessages)) continue;
    auto filter = TypeOperation(type, kOpMessageFilter);
    if (filter && filter(rec->object, msg)) return true;
  }
  return false;
}

// The character event speaks GBK, whatever the system's code page: the
// loop gets UTF-16, and a character of two GBK bytes raises the event
// twice, lead byte first, as a loop in code page 936 would see it. A
// character GBK lacks is '?'. An answer of 0 for either byte drops the
// character; other answers replace the bytes, and the character typed
// becomes the one they spell when they spell exactly one.
bool RaiseCharEvents(const LoadedWindow& win, uint32_t unitId, MSG* msg) {
  const auto typed = static_cast<wchar_t>(msg->wParam);
  std::string bytes = GbkFromWide(std::wstring_view(&typed, 1));
  if (bytes.empty()) bytes.push_back('?');
  char answered[4];  // two answers of at most two bytes each
  size_t length = 0;
  bool changed = false;
  for (char byte : bytes) {
    const auto value = static_cast<uint32_t>(static_cast<unsigned char>(byte));
    EventOutcome out = RaiseEvent(win.tmpl->id, unitId, kEventChar, {value});
    if (out.Suppresses()) return true;
    const auto answer = out.answered ? static_cast<uint32_t>(out.answer) : value;
    changed |= answer != value;
    // A value above a byte is a double-byte character, lead byte high.
    if (answer > 0xFF) answered[length++] = static_cast<char>((answer >> 8) & 0xFF);
    answered[length++] = static_cast<char>(answer & 0xFF);
  }
  if (!changed) return false;
  std::wstring wide = WideFromGbk(std::string_view(answered, length));
  if (wide.size() == 1) msg->wParam = wide[0];
  return false;
}

// The common event of a message addressed to the window or one of its
// units. True when the handler's answer consumes the message.
bool RaiseCommonEvent(const LoadedWindow& win, MSG* msg) {
  const UnitRecord* rec = win.RecordOfHandle(msg->hwnd);
  if (!rec || !RaisesEvents(*rec)) return false;
  const uint32_t unitId = rec == &win.Own() ? 0 : rec->id;
  const uint32_t x = LOWORD(msg->lParam), y = HIWORD(msg->lParam);
  auto raise = [&](int event, std::initializer_list<uint32_t> args) {
    return RaiseEvent(win.tmpl->id, unitId, event, args);
  };
  switch (msg->message) {
    case WM_LBUTTONDOWN: return raise(kEventMouseDown, {x, y, ModifierState()}).Suppresses();
    case WM_LBUTTONUP: return raise(kEventMouseUp, {x, y, ModifierState()}).Suppresses();
    case WM_LBUTTONDBLCLK: return raise(kEventDoubleClick, {x, y, ModifierState()}).Suppresses();
    case WM_RBUTTONDOWN: return raise(kEventRightDown, {x, y, ModifierState()}).Suppresses();
    case WM_RBUTTONUP: return raise(kEventRightUp, {x, y, ModifierState()}).Suppresses();
    case WM_MOUSEMOVE: return raise(kEventMouseMove, {x, y, ModifierState()}).Suppresses();
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      return raise(kEventKeyDown, {EventKeyCode(msg->wParam), ModifierState(msg->wParam)}).Suppresses();
    case WM_KEYUP:
    case WM_SYSKEYUP:
      return raise(kEventKeyUp, {EventKeyCode(msg->wParam), ModifierState(msg->wParam)}).Suppresses();
    case WM_CHAR: return RaiseCharEvents(win, unitId, msg);
    case WM_MOUSEWHEEL: {
      int32_t notches = GET_WHEEL_DELTA_WPARAM(msg->wParam) / WHEEL_DELTA;
      return raise(kEventWheel, {static_cast<uint32_t>(notches), ModifierState()}).Suppresses();
    }
    default:
      return false;
  }
}

}  // namespace

uint32_t ModifierState(WPARAM key) {
  uint32_t state = 0;
  if (GetKeyState(VK_CONTROL) < 0 && key != VK_CONTROL) state |= 1;
  if (GetKeyState(VK_SHIFT) < 0 && key != VK_SHIFT) state |= 2;
  if (GetKeyState(VK_MENU) < 0 && key != VK_MENU) state |= 4;
  return state;
}

uint32_t EventKeyCode(WPARAM vk) {
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return static_cast<uint32_t>('0' + (vk - VK_NUMPAD0));
  switch (vk) {
    case VK_SUBTRACT: return 189;
    case VK_DECIMAL: return 190;
    case VK_DIVIDE: return 191;
    default: return static_cast<uint32_t>(vk);
  }
}

bool PreTranslateMessage(MSG* msg) {
  if (!msg || !msg->hwnd) return false;
  LoadedWindow* win = LoadedWindowOfHandle(msg->hwnd);
  if (!win) return false;
  const uint32_t windowId = win->tmpl->id;
  if (RunMessageFilters(*win, msg)) return true;
  if (IsKeyboardMessage(msg->message) && !IsWindowEnabled(msg->hwnd)) return false;
  if (RaiseCommonEvent(*win, msg)) return true;
  // A handler may have closed the window.
  win = FindLoadedWindow(windowId);
  if (!win || !win->Handle()) return false;
  switch (msg->message) {
    case WM_LBUTTONDOWN: return DragWindowByClientArea(*win, msg);
    case WM_KEYDOWN: return HandleWindowKey(*win, msg);
    case WM_SYSCHAR: return HandleMnemonic(*win, msg);
    default: return false;
  }
}
