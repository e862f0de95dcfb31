// The message loop: idle phase, pre-translation, dispatch, and the end of
// the program when its last loaded window is gone.
#include <windows.h>

#include <climits>

#include "runtime/runtime_app.h"

namespace {

// Messages that do not restart idle processing: paints, the caret timer,
// and mouse moves that repeat the previous one of their kind in place
// (Windows sends those whenever the cursor is merely shown again).
class IdleNeutralFilter {
 public:
  bool IsNeutral(const MSG& msg) {
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) {
      if (msg.message == lastMouseMessage_ && msg.pt.x == lastPoint_.x &&
          msg.pt.y == lastPoint_.y)
        return true;
      lastMouseMessage_ = msg.message;
      lastPoint_ = msg.pt;
      return false;
    }
    return msg.message == WM_PAINT || msg.message == kSysTimer;
  }

 private:
  UINT lastMouseMessage_ = 0;
  POINT lastPoint_{-1, -1};
};

// True when the unit framework consumed the message (keyboard handling of
// units and windows). Thread messages have no window to ask.
bool PreTranslate(MSG* msg) {
  if (!msg->hwnd) return false;
  const WindowHost* host = RtWindowHost();
  return host && host->preTranslate && host->preTranslate(msg);
}

// Runs until WM_QUIT; answers its wParam.
WPARAM RunMessageLoop() {
  IdleNeutralFilter filter;
  MSG msg{};
  int idleCount = 0;
  bool idleWanted = true;
  for (;;) {
    while (idleWanted && !PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      RunIdleWatchList();
      idleWanted = RunIdleProcessing(idleCount);
      if (idleCount < INT_MAX) idleCount++;
    }
    do {
      BOOL got = GetMessageW(&msg, nullptr, 0, 0);
      if (got == 0) return msg.wParam;
      if (got == -1) return 0;  // only for a bad window filter; never spin on it
      if (msg.message != kKickIdle && !PreTranslate(&msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
      if (!filter.IsNeutral(msg)) {
        idleWanted = true;
        idleCount = 0;
      }
    } while (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
  }
}

}  // namespace

bool AnyLoadedWindowAlive() {
  const WindowHost* host = RtWindowHost();
  if (!host || !host->loadedWindowCount || !host->loadedWindowHandle) return false;
  for (int i = 0; i < host->loadedWindowCount(); i++) {
    HWND window = host->loadedWindowHandle(i);
    if (window && IsWindow(window)) return true;
  }
  return false;
}

void RtRunLoop() {
  auto& app = RuntimeState();
  app.startupComplete = true;
  // A start window destroyed during start-up posted no WM_QUIT: with no
  // live window the loop would wait forever.
  if (AnyLoadedWindowAlive()) app.quitCode = RunMessageLoop();
}

void RtAfterWindowDestroyed() {
  auto& app = RuntimeState();
  if (app.startupComplete && !app.shuttingDown && !AnyLoadedWindowAlive()) PostQuitMessage(0);
}
