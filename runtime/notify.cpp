// RuntimeNotify: the one door through which libraries reach the runtime.
// Memory and exit requests are served here; the unit framework's codes go to
// the installed WindowHost; anything else answers 0.
#include <windows.h>

#include "runtime/heap.h"
#include "runtime/runtime.h"

namespace {
const WindowHost* g_host;
}

void RtSetWindowHost(const WindowHost* host) { g_host = host; }
const WindowHost* RtWindowHost() { return g_host; }

intptr_t RuntimeNotify(int code, intptr_t p1, intptr_t p2) {
  switch (code) {
    case kNotifyAlloc:
      if (p2 != 0) return reinterpret_cast<intptr_t>(RtTryAlloc(static_cast<uint32_t>(p1)));
      return reinterpret_cast<intptr_t>(RtAlloc(static_cast<uint32_t>(p1)));
    case kNotifyFree:
      RtFree(reinterpret_cast<void*>(p1));
      return 0;
    case kNotifyRealloc:
      return reinterpret_cast<intptr_t>(RtRealloc(reinterpret_cast<void*>(p1), static_cast<uint32_t>(p2)));
    case kNotifyFatal:
      FatalReport(reinterpret_cast<const char*>(p1), 0);
    case kNotifyExit:
      RtExit(static_cast<int>(p1));
    default:
      break;
  }
  if (g_host && g_host->notify) return g_host->notify(code, p1, p2);
  return 0;
}
