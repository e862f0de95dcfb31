// Idle time: the IdleWatchList that libraries register windows in, and the
// window idle event (event 7) that loaded windows receive while nothing
// else happens.
#include <windows.h>

#include <algorithm>
#include <vector>

#include "runtime/runtime_app.h"

namespace {

constexpr int kWindowIdleEvent = 7;

DWORD g_idleStart;
std::vector<HWND> g_doneIdling;  // windows that declined more idle events

bool Listed(const std::vector<IdleWatch>& list, HWND window) {
  return std::any_of(list.begin(), list.end(),
                     [window](const IdleWatch& e) { return e.window == window; });
}

}  // namespace

intptr_t AddIdleWatch(const IdleWatch* entry) {
  auto& list = RuntimeState().idleWatch;
  if (!entry || !entry->routine || !IsWindow(entry->window) || Listed(list, entry->window))
    return 0;
  list.push_back(*entry);
  return 0;
}

intptr_t RemoveIdleWatch(HWND window) {
  auto& list = RuntimeState().idleWatch;
  list.erase(std::remove_if(list.begin(), list.end(),
                            [window](const IdleWatch& e) { return e.window == window; }),
             list.end());
  return 0;
}

void RunIdleWatchList() {
  auto& list = RuntimeState().idleWatch;
  // Last entry first; a routine may add or remove entries, so the index is
  // checked again on every step.
  for (size_t i = list.size(); i-- > 0;) {
    if (i >= list.size()) continue;
    IdleWatch entry = list[i];
    if (IsWindow(entry.window)) entry.routine(entry.argument);
    else list.erase(list.begin() + static_cast<ptrdiff_t>(i));
  }
}

bool RunIdleProcessing(int n) {
  if (n == 0) {
    g_idleStart = GetTickCount();
    g_doneIdling.clear();
    // The platform layer's own idle housekeeping would run here; plain
    // Win32 has none, so the first two rounds only ask for more.
  }
  if (n < 2) return true;

  const WindowHost* host = RtWindowHost();
  if (!host || !host->loadedWindowCount || !host->loadedWindowHandle || !host->loadedWindowId)
    return false;
  bool more = false;
  // The count is read again each step: an idle handler may close windows.
  for (int i = 0; i < host->loadedWindowCount(); i++) {
    HWND window = host->loadedWindowHandle(i);
    if (!window || std::find(g_doneIdling.begin(), g_doneIdling.end(), window) != g_doneIdling.end())
      continue;
    EventRequest request{};
    request.windowId = host->loadedWindowId(i);
    request.unitId = 0;
    request.event = kWindowIdleEvent;
    request.argc = 1;
    request.args[0] = GetTickCount() - g_idleStart;
    RuntimeNotify(kNotifyFireEvent, reinterpret_cast<intptr_t>(&request), 0);
    if (request.answered && request.answer != 0) more = true;
    else g_doneIdling.push_back(window);
  }
  return more;
}
