// Shutdown in its fixed order, RtExit, and the forwarding of a shutdown
// requested on another thread to the user-interface thread.
#include <windows.h>
#include <ole2.h>

#include "runtime/heap.h"
#include "runtime/runtime_app.h"

namespace {

// The runtime links no socket library; if one was started on the
// program's behalf it is already loaded, so its cleanup is looked up there.
void CleanupSockets() {
  HMODULE ws2 = GetModuleHandleW(L"ws2_32.dll");
  if (!ws2) return;
  auto cleanup = reinterpret_cast<int(WINAPI*)()>(
      reinterpret_cast<void*>(GetProcAddress(ws2, "WSACleanup")));
  if (cleanup) cleanup();
}

void NotifyLibrariesOfShutdown() {
  auto& app = RuntimeState();
  for (size_t i = 0; i < app.libraries.size(); i++) {
    const LibraryInfo* lib = app.libraries[i];
    if (lib && lib->notify) lib->notify(kLibShutdown, app.librarySlots[i], 0);
  }
  app.libraries.clear();
  app.librarySlots.clear();
}

}  // namespace

bool RtShutdown(int code) {
  auto& app = RuntimeState();
  DWORD uiThread = app.uiThread;
  if (uiThread && GetCurrentThreadId() != uiThread) {
    // The user-interface thread performs RtExit(code) itself and ends the
    // process; SendMessage returns only if it could not.
    if (app.hiddenOwner)
      SendMessageW(app.hiddenOwner, kHiddenOwnerExitMessage, static_cast<WPARAM>(code), 0);
    if (!app.shuttingDown) ExitProcess(static_cast<UINT>(code));
    return false;
  }
  // Asked again while shutting down (a cleanup routine calling RtExit, a
  // fatal report during shutdown): the steps must not run twice.
  if (app.shuttingDown) return true;

  app.eventSuppressCount++;
  app.shuttingDown = true;
  app.idleWatch.clear();

  const WindowHost* host = app.host;
  if (app.templatesLoaded && host && host->releaseTemplates) host->releaseTemplates();
  app.templatesLoaded = false;

  // Registration order; a routine registered by another one still runs.
  for (size_t i = 0; i < app.cleanup.size(); i++) app.cleanup[i]();
  app.cleanup.clear();

  NotifyLibrariesOfShutdown();
  ReleaseDllCommands();
  // Only now: the cleanup routines may still have freed ConstArea pointers.
  RtSetConstArea(nullptr, 0);

  if (host && host->shutdown) host->shutdown();
  if (app.hiddenOwner) {
    DestroyWindow(app.hiddenOwner);
    app.hiddenOwner = nullptr;
  }
  if (app.socketsStarted) {
    CleanupSockets();
    app.socketsStarted = false;
  }
  if (app.oleInitialised) {
    OleUninitialize();
    app.oleInitialised = false;
  }
  return true;
}

void RtExit(int code) {
  if (!RtShutdown(code)) {
    // Another thread, while the user-interface thread is already shutting
    // down: that thread ends the process; this one only steps aside.
    ExitThread(static_cast<DWORD>(code));
  }
  ExitProcess(static_cast<UINT>(code));
}
