// The database library's notify entry and the callback it keeps. The
// runtime greets the library once at start-up (code 1) and once at shutdown
// (code 6); until then, nothing can be allocated for results.
#include "db/db_library.h"

namespace {

NotifyFn g_runtimeNotify;

}  // namespace

intptr_t DatabaseLibNotify(int code, intptr_t p1, intptr_t p2) {
  switch (code) {
    case kLibInit:
      g_runtimeNotify = reinterpret_cast<NotifyFn>(p1);
      return 0;
    case kLibShutdown:
      return 0;
    default:
      return -1;
  }
}

const LibraryInfo& DatabaseLibrary() {
  static const LibraryInfo info = {"sqlite", &DatabaseLibNotify, 0, nullptr};
  return info;
}

namespace db {

intptr_t AskRuntime(int code, intptr_t p1, intptr_t p2) {
  return g_runtimeNotify ? g_runtimeNotify(code, p1, p2) : 0;
}

void* AllocResultBlock(uint32_t size) {
  return reinterpret_cast<void*>(AskRuntime(kNotifyAlloc, static_cast<intptr_t>(size), 0));
}

void ReleaseResultBlock(void* block) {
  if (block) AskRuntime(kNotifyFree, reinterpret_cast<intptr_t>(block), 0);
}

}  // namespace db
