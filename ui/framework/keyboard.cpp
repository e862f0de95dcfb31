// The window's keys; see keyboard.h.
#include "ui/framework/keyboard.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "runtime/gbk_boundary.h"
#include "runtime/gbk_lead_byte.h"
#include "runtime/runtime.h"
#include "ui/framework/events.h"
#include "ui/framework/unit_types.h"

namespace {

// Window properties the keys consult.
enum : int {
  kWindowEnterMovesFocus = 21, kWindowEscapeCloses = 22, kWindowF1Help = 23,
  kWindowHelpFile = 24, kWindowHelpContext = 25, kWindowDragMove = 27,
};

PropValue WindowProperty(const LoadedWindow& win, int index) {
  PropValue v{};
  const UnitRecord& own = win.Own();
  auto get = TypeOperation(TypeInfoFor(own.type), kOpGetProperty);
  if (!get || !IsLive(own) || !get(own.object, index - 8, &v)) v = PropValue{};
  return v;
}

bool WindowFlag(const LoadedWindow& win, int index) { return WindowProperty(win, index).u32 != 0; }

bool IsDefaultButton(const UnitRecord& rec) {
  auto test = TypeOperation(TypeInfoFor(rec.type), kOpIsDefaultButton);
  return test && IsLive(rec) && test(rec.object) == 1;
}

bool Claims(const UnitRecord* rec, WPARAM key) {
  if (!rec || !IsLive(*rec)) return false;
  auto claim = TypeOperation(TypeInfoFor(rec->type), kOpKeyClaim);
  return claim && claim(rec->object, static_cast<int>(key)) == 1;
}

void RaiseClick(const LoadedWindow& win, const UnitRecord& rec) {
  RaiseEvent(win.tmpl->id, rec.id, 0);
}

// Index in the Tab sequence of the unit after `from` (or before it), by
// the sequence's own order; -1 when the sequence is empty.
int Neighbour(const std::vector<UnitRecord*>& seq, const UnitRecord* from, bool forward) {
  if (seq.empty()) return -1;
  const int n = static_cast<int>(seq.size());
  auto it = std::find(seq.begin(), seq.end(), from);
  if (it == seq.end()) return forward ? 0 : n - 1;
  int i = static_cast<int>(it - seq.begin());
  return forward ? (i + 1) % n : (i + n - 1) % n;
}

bool MoveFocus(const LoadedWindow& win, const UnitRecord* from, bool forward) {
  std::vector<UnitRecord*> seq = TabSequence(win);
  int next = Neighbour(seq, from, forward);
  if (next < 0) return false;
  SetFocus(seq[next]->object->hwnd);
  return true;
}

std::string HelpFilePath(const LoadedWindow& win) {
  const char* file = WindowProperty(win, kWindowHelpFile).text;
  return file && *file ? std::string(file) : RtProgramHelpFile();
}

bool ShowHelp(const LoadedWindow& win) {
  if (!WindowFlag(win, kWindowF1Help)) return false;
  std::string path = HelpFilePath(win);
  if (FileAttributesGbk(path.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
  uint32_t context = WindowProperty(win, kWindowHelpContext).u32;
  if (context) WinHelpGbk(win.Handle(), path.c_str(), HELP_CONTEXT, context);
  else WinHelpGbk(win.Handle(), path.c_str(), HELP_FINDER, 0);
  return true;
}

bool PressEnter(const LoadedWindow& win, const UnitRecord* focused) {
  if (focused && focused != &win.Own() && IsDefaultButton(*focused)) {
    RaiseClick(win, *focused);
    return true;
  }
  if (WindowFlag(win, kWindowEnterMovesFocus)) return MoveFocus(win, focused, true);
  for (size_t i = 1; i < win.tmpl->Count(); ++i) {
    const UnitRecord& rec = *win.tmpl->RecordAt(i);
    if (!rec.isMenuItem && IsDefaultButton(rec)) {
      RaiseClick(win, rec);
      return true;
    }
  }
  return false;
}

// The letter after a single "&" in the caption, lower-cased; 0 for none.
char MnemonicOf(HWND hwnd) {
  const std::string text = WindowTextGbk(hwnd);
  for (const char* p = text.c_str(); *p; ++p) {
    if (IsLeadByte(*p) && p[1]) {  // a double-byte character
      ++p;
      continue;
    }
    if (*p == '&') {
      if (p[1] == '&') {
        ++p;
        continue;
      }
      return static_cast<char>(tolower(static_cast<unsigned char>(p[1])));
    }
  }
  return 0;
}

}  // namespace

std::vector<UnitRecord*> TabSequence(const LoadedWindow& win) {
  std::vector<std::pair<size_t, UnitRecord*>> units;
  for (size_t i = 1; i < win.tmpl->Count(); ++i) {
    UnitRecord* rec = win.tmpl->RecordAt(i);
    if (rec->isMenuItem || !(rec->flags & kRecordTabStop) || !IsLive(*rec)) continue;
    const UnitTypeInfo* type = TypeInfoFor(rec->type);
    if (!type || (type->flags & (kTypeFlagNoWindow | kTypeFlagNoTab))) continue;
    HWND h = rec->object->hwnd;
    if (!IsWindowVisible(h) || !IsWindowEnabled(h)) continue;
    units.emplace_back(i, rec);
  }
  std::sort(units.begin(), units.end(), [](const auto& a, const auto& b) {
    if (a.second->tabOrder != b.second->tabOrder) return a.second->tabOrder < b.second->tabOrder;
    return a.first > b.first;
  });
  std::vector<UnitRecord*> seq;
  for (auto& u : units) seq.push_back(u.second);
  return seq;
}

bool HandleWindowKey(LoadedWindow& win, MSG* msg) {
  const WPARAM key = msg->wParam;
  if (key != VK_TAB && key != VK_RETURN && key != VK_ESCAPE && key != VK_F1) return false;
  const UnitRecord* focused = win.RecordContaining(GetFocus());
  if (focused && focused != &win.Own() && Claims(focused, key)) return false;
  const bool ctrl = GetKeyState(VK_CONTROL) < 0, alt = GetKeyState(VK_MENU) < 0;
  switch (key) {
    case VK_TAB:
      if (ctrl || alt) return false;
      return MoveFocus(win, focused, GetKeyState(VK_SHIFT) >= 0);
    case VK_RETURN:
      return PressEnter(win, focused);
    case VK_ESCAPE:
      if (!WindowFlag(win, kWindowEscapeCloses)) return false;
      PostMessageW(win.Handle(), WM_CLOSE, 0, 0);
      return true;
    case VK_F1:
      return ShowHelp(win);
    default:
      return false;
  }
}

bool HandleMnemonic(LoadedWindow& win, MSG* msg) {
  // Mnemonics are ASCII letters and digits; the loop hands over UTF-16.
  if (msg->wParam >= 0x80) return false;
  const char letter = static_cast<char>(tolower(static_cast<int>(msg->wParam)));
  if (!isalnum(static_cast<unsigned char>(letter))) return false;
  for (size_t i = 1; i < win.tmpl->Count(); ++i) {
    UnitRecord& rec = *win.tmpl->RecordAt(i);
    if (rec.isMenuItem || !IsLive(rec)) continue;
    const UnitTypeInfo* type = TypeInfoFor(rec.type);
    const HWND h = rec.object->hwnd;
    if (!type || !(type->flags & kTypeFlagMnemonic) || !IsWindowVisible(h) || !IsWindowEnabled(h)) continue;
    if (MnemonicOf(h) != letter) continue;
    if (type->flags & kTypeFlagMnemonicFires) {
      if (type->flags & kTypeFlagMnemonicToggles) {  // a check box toggles
        SendMessageW(h, BM_SETCHECK, SendMessageW(h, BM_GETCHECK, 0, 0) == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED, 0);
      } else if (type->flags & kTypeFlagMnemonicChecks) {  // a radio button checks itself
        SendMessageW(h, BM_SETCHECK, BST_CHECKED, 0);
      }
      SetFocus(h);
      RaiseClick(win, rec);
    } else {
      MoveFocus(win, &rec, true);  // a label hands the focus on
    }
    return true;
  }
  return false;
}

bool DragWindowByClientArea(LoadedWindow& win, MSG* msg) {
  const UnitRecord* rec = win.RecordOfHandle(msg->hwnd);
  if (!rec) return false;
  if (rec != &win.Own()) {
    const UnitTypeInfo* type = TypeInfoFor(rec->type);
    if (!type || !(type->flags & kTypeFlagDragsWindow)) return false;
  }
  if (!WindowFlag(win, kWindowDragMove)) return false;
  ReleaseCapture();
  SendMessageW(win.Handle(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
  return true;
}
