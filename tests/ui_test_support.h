// Test bench for the unit framework: a core library holding the basic unit
// types, templates built with the template writer, handlers that record
// their calls, and the runtime initialised in-process with the framework
// as its window host.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/runtime.h"
#include "ui/button/button_unit.h"
#include "ui/combo/combo_unit.h"
#include "ui/edit/edit_unit.h"
#include "ui/framework/handler.h"
#include "ui/label/label_unit.h"
#include "ui/template/template_writer.h"
#include "ui/window/window_unit.h"

// One recorded handler call.
struct HandlerCall {
  int handler;  // which recording handler (0 ... kRecorders - 1)
  uint32_t window, unit;  // the current event source during the call
  uint32_t args[5];
  uintptr_t words[5];  // the same, whole machine words
};

inline constexpr int kRecorders = 6;

// What every recording handler answers (reset to NoValue() per test).
extern HandlerResult g_handlerAnswer;
std::vector<HandlerCall>& HandlerCalls();
// The stored offset of recorder n, against TestCodeBase().
uint32_t RecorderOffset(int n);
uintptr_t TestCodeBase();

// Unit type codes of the core library.
enum : uint32_t {
  kWindowType = kWindowTypeCode, kEditType = kEditBoxTypeCode, kLabelType = kLabelTypeCode,
  kButtonType = kButtonTypeCode, kComboType = kComboBoxTypeCode,
};

// Initialises the runtime with the templates (and the given libraries, the
// test core library by default). False when the templates do not load.
bool StartRuntime(const std::vector<uint8_t>& templateBytes,
                  std::vector<const LibraryInfo*> libraries = {}, uintptr_t codeBase = 0);
// Destroys every window and releases the templates.
void StopRuntime();

// Dispatches pending messages through the framework's pre-translation
// until none is left or timeoutMs has passed.
void PumpMessages(DWORD timeoutMs = 50);

// The live handle of a unit (0 = the window), or null.
HWND UnitHandle(uint32_t windowId, uint32_t unitId);

// Property access in the program's terms.
int32_t ReadInt(uint32_t windowId, uint32_t unitId, int index);
std::string ReadText(uint32_t windowId, uint32_t unitId, int index, bool* wasNull = nullptr);
void WriteInt(uint32_t windowId, uint32_t unitId, int index, int32_t value);
void WriteText(uint32_t windowId, uint32_t unitId, int index, const char* text);

// Sets the thread's key state of Ctrl, Shift and Alt (GetKeyState reads it).
void SetModifiers(bool ctrl, bool shift, bool alt);

// One record of a test template (string storage for the writer's views).
struct TestUnit {
  uint32_t id = 0;
  uint32_t type = 0;
  std::string name;
  int32_t left = 0, top = 0, width = 0, height = 0;
  uint32_t flags = 0;
  std::vector<uint8_t> blob;
  std::vector<BindingDecl> bindings;
  uint32_t eventSource = 0;
  uint32_t tabOrder = 0;
  std::string tag;
  std::vector<uint8_t> cursor = {0, 0, 0, 0};
};

// One window's template stream; units[0] is the window's own record.
std::vector<uint8_t> BuildTemplate(uint32_t windowId, const std::vector<TestUnit>& units);
