// Test bench for the unit framework; see ui_test_support.h.
#include "tests/ui_test_support.h"

#include <algorithm>

#include "runtime/heap.h"
#include "ui/core_library.h"
#include "ui/framework/events.h"
#include "ui/framework/host.h"
#include "ui/framework/properties.h"

HandlerResult g_handlerAnswer = NoValue();

std::vector<HandlerCall>& HandlerCalls() {
  static std::vector<HandlerCall> calls;
  return calls;
}

namespace {

template <int N>
HandlerResult Recorder(uintptr_t a, uintptr_t b, uintptr_t c, uintptr_t d, uintptr_t e) {
  HandlerCalls().push_back({N, CurrentEventWindow(), CurrentEventUnit(),
                            {static_cast<uint32_t>(a), static_cast<uint32_t>(b), static_cast<uint32_t>(c),
                             static_cast<uint32_t>(d), static_cast<uint32_t>(e)},
                            {a, b, c, d, e}});
  return g_handlerAnswer;
}

uintptr_t RecorderAddress(int n) {
  using Fn = HandlerResult (*)(uintptr_t, uintptr_t, uintptr_t, uintptr_t, uintptr_t);
  static const Fn recorders[kRecorders] = {Recorder<0>, Recorder<1>, Recorder<2>,
                                           Recorder<3>, Recorder<4>, Recorder<5>};
  return reinterpret_cast<uintptr_t>(recorders[n]);
}

std::vector<uint8_t> g_templateBytes;
ProgramHeader g_header;
std::vector<const LibraryInfo*> g_libraries;

}  // namespace

uintptr_t TestCodeBase() {
  uintptr_t base = RecorderAddress(0);
  for (int n = 1; n < kRecorders; ++n) base = std::min(base, RecorderAddress(n));
  return base;
}

uint32_t RecorderOffset(int n) { return static_cast<uint32_t>(RecorderAddress(n) - TestCodeBase()); }

bool StartRuntime(const std::vector<uint8_t>& templateBytes, std::vector<const LibraryInfo*> libraries,
                  uintptr_t codeBase) {
  StopRuntime();
  HandlerCalls().clear();
  g_handlerAnswer = NoValue();
  EventSuppressCount() = 0;
  g_templateBytes = templateBytes;
  g_libraries = libraries.empty() ? std::vector<const LibraryInfo*>{&CoreLibrary()} : libraries;
  g_header = ProgramHeader{};
  g_header.runMode = 3;
  g_header.idSeed = 90722;
  g_header.codeBase = codeBase ? codeBase : TestCodeBase();
  g_header.templateData = g_templateBytes.data();
  g_header.templateLength = static_cast<uint32_t>(g_templateBytes.size());
  g_header.libraryCount = static_cast<uint32_t>(g_libraries.size());
  g_header.libraries = g_libraries.data();
  return RtInitializeForTests(&g_header, &UnitFrameworkHost());
}

void StopRuntime() {
  UnitFrameworkHost().releaseTemplates();
  PumpMessages(0);
}

void PumpMessages(DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  MSG msg;
  do {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) continue;
      if (!UnitFrameworkHost().preTranslate(&msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
    }
    if (timeoutMs) Sleep(5);
  } while (GetTickCount() - start < timeoutMs);
}

HWND UnitHandle(uint32_t windowId, uint32_t unitId) {
  auto* unit = reinterpret_cast<UnitObject*>(RuntimeNotify(kNotifyResolveUnit, windowId, unitId));
  return unit ? unit->hwnd : nullptr;
}

int32_t ReadInt(uint32_t windowId, uint32_t unitId, int index) {
  return static_cast<int32_t>(ReadProperty(windowId, unitId, index, -1));
}

std::string ReadText(uint32_t windowId, uint32_t unitId, int index, bool* wasNull) {
  char* text = static_cast<char*>(PointerOf(ReadProperty(windowId, unitId, index, -1)));
  if (wasNull) *wasNull = text == nullptr;
  std::string out = text ? text : "";
  RtFree(text);
  return out;
}

void WriteInt(uint32_t windowId, uint32_t unitId, int index, int32_t value) {
  WriteProperty(windowId, unitId, index, -1, static_cast<uint32_t>(value));
}

void WriteText(uint32_t windowId, uint32_t unitId, int index, const char* text) {
  WriteProperty(windowId, unitId, index, -1, ValueOf(text));
}

std::vector<uint8_t> BuildTemplate(uint32_t windowId, const std::vector<TestUnit>& units) {
  std::vector<RecordDecl> records;
  for (const auto& u : units) {
    RecordDecl r;
    r.id = u.id;
    r.type = u.type;
    r.name = u.name;
    r.left = u.left, r.top = u.top, r.width = u.width, r.height = u.height;
    r.flags = u.flags;
    r.bindings = u.bindings;
    r.blob = u.blob;
    r.eventSource = u.eventSource;
    r.tabOrder = u.tabOrder;
    r.tag = u.tag;
    r.cursor = u.cursor;
    records.push_back(r);
  }
  const WindowDecl window{.id = windowId, .records = records};
  return WriteTemplate({&window, 1});
}

void SetModifiers(bool ctrl, bool shift, bool alt) {
  BYTE keys[256];
  GetKeyboardState(keys);
  auto set = [&](int vk, bool down) { keys[vk] = down ? 0x80 : 0; };
  set(VK_CONTROL, ctrl), set(VK_LCONTROL, ctrl);
  set(VK_SHIFT, shift), set(VK_LSHIFT, shift);
  set(VK_MENU, alt), set(VK_LMENU, alt);
  SetKeyboardState(keys);
}
