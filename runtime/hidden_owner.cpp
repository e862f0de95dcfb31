// The hidden owner window: never shown; it owns the runtime's top-level
// windows and receives shutdown requests from other threads.
#include <windows.h>

#include "runtime/runtime_app.h"

namespace {

constexpr const char* kClassName = "_VX_HideOwner";
WNDPROC g_baseProc = DefWindowProcA;

// The class keeps DefWindowProcA; the window itself is subclassed so that
// a class registered earlier (by an earlier initialisation) serves as well.
LRESULT CALLBACK HiddenOwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kHiddenOwnerExitMessage) RtExit(static_cast<int>(wParam));
  return CallWindowProcA(g_baseProc, window, message, wParam, lParam);
}

}  // namespace

HWND CreateHiddenOwner(HINSTANCE instance) {
  WNDCLASSA wc{};
  if (!GetClassInfoA(instance, kClassName, &wc)) {
    wc = WNDCLASSA{};
    wc.style = 0;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    wc.lpszClassName = kClassName;
    RegisterClassA(&wc);
  }
  HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, kClassName, "", 0, 0, 0, 0, 0, nullptr,
                                nullptr, instance, nullptr);
  if (!window) return nullptr;  // not checked further: start-up goes on
  g_baseProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HiddenOwnerProc)));
  return window;
}
