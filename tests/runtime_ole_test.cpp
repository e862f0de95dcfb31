// Runtime initialisation and OLE: the runtime remembers only an OLE start
// that succeeded, so its shutdown never undoes a COM initialisation that
// belongs to someone else.
#include <gtest/gtest.h>
#include <windows.h>
#include <objbase.h>

#include <thread>

#include "runtime/runtime.h"
#include "runtime/runtime_app.h"

namespace {

// Runs the runtime's initialisation on a thread of its own whose COM
// apartment is prepared by `prepare`, and answers whether the runtime then
// counts OLE as its own. The runtime's thread and OLE flag are put back.
bool OleOwnedAfterInitialisingOn(COINIT prepare, HRESULT* prepared) {
  auto& app = RuntimeState();
  const DWORD uiThread = app.uiThread;
  const bool wasOwned = app.oleInitialised;
  const HWND owner = app.hiddenOwner;
  static const ProgramHeader header{};
  bool owned = false;
  std::thread worker([&] {
    *prepared = CoInitializeEx(nullptr, prepare);
    app.oleInitialised = false;
    RtInitializeForTests(&header, nullptr);
    owned = app.oleInitialised;
    if (owned) OleUninitialize();
    if (SUCCEEDED(*prepared)) CoUninitialize();
  });
  worker.join();
  // A hidden owner made on the worker died with it.
  if (!owner && app.hiddenOwner && !IsWindow(app.hiddenOwner)) app.hiddenOwner = nullptr;
  app.uiThread = uiThread;
  app.oleInitialised = wasOwned;
  return owned;
}

TEST(RuntimeOle, OnlyASuccessfulStartIsUndoneAtShutdown) {
  struct Case {
    const char* what;
    COINIT apartment;
    bool owned;
  } cases[] = {
      // OLE needs a single-threaded apartment: on a multithreaded one its
      // start fails, and an OleUninitialize at shutdown would end the
      // program's own COM use.
      {"multithreaded apartment", COINIT_MULTITHREADED, false},
      {"single-threaded apartment", COINIT_APARTMENTTHREADED, true},
  };
  for (const auto& c : cases) {
    HRESULT prepared = E_FAIL;
    EXPECT_EQ(OleOwnedAfterInitialisingOn(c.apartment, &prepared), c.owned) << c.what;
    EXPECT_TRUE(SUCCEEDED(prepared)) << c.what;
  }
}

}  // namespace
