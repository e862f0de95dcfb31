// The hidden owner window: never shown; it owns the runtime's top-level
// windows and receives shutdown requests from other threads.
#include <windows.h>

#include "runtime/gbk_boundary.h"
#include "runtime/runtime_app.h"

namespace {

constexpr const char* kClassName = "_VX_HideOwner";
WNDPROC g_baseProc = DefWindowProcW;

// The class keeps DefWindowProcW; the window itself is subclassed so that
// a class registered earlier (by an earlier initialisation) serves as well.
LRESULT CALLBACK HiddenOwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kHiddenOwnerExitMessage) RtExit(static_cast<int>(wParam));
  return CallWindowProcW(g_baseProc, window, message, wParam, lParam);
}

}  // namespace

HWND CreateHiddenOwner(HINSTANCE instance) {
  EnsureWindowClassGbk(instance, kClassName, 0, DefWindowProcW);
  HWND window = CreateWindowGbk(WS_EX_TOOLWINDOW, kClassName, "", 0, 0, 0, 0, 0, nullptr, nullptr, instance);
  if (!window) return nullptr;  // not checked further: start-up goes on
  g_baseProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HiddenOwnerProc)));
  return window;
}
