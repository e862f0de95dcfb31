// RuntimeNotify: the one door through which libraries reach the runtime.
// Memory, exit and IdleWatchList requests are served here; the unit
// framework's codes go to the installed WindowHost; anything else answers 0.
#include <windows.h>

#include "runtime/heap.h"
#include "runtime/runtime_app.h"

intptr_t RuntimeNotify(int code, intptr_t p1, intptr_t p2) {
  switch (code) {
    case kNotifyAlloc:
      // p2 != 0: the caller handles a failure itself; no report.
      if (p2 != 0) return reinterpret_cast<intptr_t>(RtTryAlloc(static_cast<uint32_t>(p1)));
      return reinterpret_cast<intptr_t>(RtAlloc(static_cast<uint32_t>(p1)));
    case kNotifyFree:
      RtFree(reinterpret_cast<void*>(p1));
      return 0;
    case kNotifyRealloc:
      return reinterpret_cast<intptr_t>(
          RtRealloc(reinterpret_cast<void*>(p1), static_cast<uint32_t>(p2)));
    case kNotifyFatal:
      FatalReport(reinterpret_cast<const char*>(p1), 0);
    case kNotifyExit:
      RtExit(static_cast<int>(p1));
    case kNotifyIdleAdd:
      return AddIdleWatch(reinterpret_cast<const IdleWatch*>(p1));
    case kNotifyIdleRemove:
      return RemoveIdleWatch(reinterpret_cast<HWND>(p1));
    default:
      break;
  }
  const WindowHost* host = RtWindowHost();
  if (host && host->notify) return host->notify(code, p1, p2);
  return 0;
}
