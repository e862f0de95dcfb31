// A program on the unit framework for the tests of its fatal reports:
//   ui_fatal_program.exe SCENARIO LOGFILE
// Its start window holds two buttons: "记录" logs "clicked", "出错" logs
// "failing" and raises runtime error 1. A second window is never loaded; it
// holds a unit of a type no library has and one of a type that raises no
// events. Each scenario then asks the framework for something it cannot
// serve; "click" asks for nothing, the driver clicks. The cleanup routine
// logs "cleanup", so a log without it shows that a report ended the run.
#include <windows.h>

#include <string>

#include "runtime/runtime.h"
#include "tests/ui_test_support.h"
#include "ui/button/button_unit.h"
#include "ui/core_library.h"
#include "ui/framework/host.h"
#include "ui/label/label_unit.h"
#include "ui/template/button_blob.h"
#include "tools/runtime_programs/scenario_log.h"
#include "ui/template/window_blob.h"

namespace {

constexpr uint32_t kStartWindow = 0x52000001, kStartOwn = 0x06000001, kLogButton = 0x16000002,
                   kFailButton = 0x16000003;
constexpr uint32_t kOtherWindow = 0x52000002, kOtherOwn = 0x06000011, kUnknownTypeUnit = 0x16000012,
                   kSilentTypeUnit = 0x16000013;
constexpr uint32_t kMissingWindow = 0x52000099, kMissingUnit = 0x16000099, kEmptyWindow = 0x52000003;
// Type 12 of the core library is not there; type 1 of the second library
// is a label that raises no events.
constexpr uint32_t kUnknownType = UnitTypeCode(kCoreLibraryNumber, 11), kSilentType = UnitTypeCode(1, 0);

std::string g_scenario;
std::string g_log;

void Log(const std::string& step) { AppendLogLine(g_log, step); }

HandlerResult OnLogClicked() {
  Log("clicked");
  return NoValue();
}

HandlerResult OnFailClicked() {
  Log("failing");
  RtReportError(1);
}

void Cleanup() { Log("cleanup"); }

uintptr_t CodeBase() {
  auto a = reinterpret_cast<uintptr_t>(&OnLogClicked), b = reinterpret_cast<uintptr_t>(&OnFailClicked);
  return a < b ? a : b;
}
uint32_t OffsetOf(HandlerResult (*handler)()) {
  return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(handler) - CodeBase());
}

std::vector<uint8_t> Button(const char* caption) { return EncodeButtonProps(ButtonProps{.caption = caption}); }

std::vector<uint8_t> Templates() {
  const std::vector<TestUnit> start = {
      {.id = kStartOwn, .type = kWindowType, .left = 80, .top = 80, .width = 240, .height = 140,
       .flags = 1, .blob = EncodeWindowProps(WindowProps{.startPosition = 0, .title = "报告测试"})},
      {.id = kLogButton, .type = kButtonType, .name = "按钮1", .left = 10, .top = 10, .width = 80,
       .height = 24, .flags = 5, .blob = Button("记录"), .bindings = {{kButtonClicked, OffsetOf(OnLogClicked)}}},
      {.id = kFailButton, .type = kButtonType, .name = "按钮2", .left = 100, .top = 10, .width = 80,
       .height = 24, .flags = 5, .blob = Button("出错"), .bindings = {{kButtonClicked, OffsetOf(OnFailClicked)}}},
  };
  const std::vector<TestUnit> other = {
      {.id = kOtherOwn, .type = kWindowType, .flags = 1},
      {.id = kUnknownTypeUnit, .type = kUnknownType, .name = "未知1", .flags = 1},
      {.id = kSilentTypeUnit, .type = kSilentType, .name = "无事件1", .flags = 1},
  };
  // Two single-window streams joined into one stream: the index of both,
  // then the sections in index order. The scenario "window-without-records"
  // adds a third window whose unit table is empty.
  const bool third = g_scenario == "window-without-records";
  std::vector<uint8_t> a = BuildTemplate(kStartWindow, start), b = BuildTemplate(kOtherWindow, other);
  std::vector<uint8_t> out;
  auto word = [&out](uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
  };
  word(third ? 24 : 16), word(kStartWindow), word(kOtherWindow);
  if (third) word(kEmptyWindow);
  for (int i = 0; i < (third ? 3 : 2); ++i) word(0);
  out.insert(out.end(), a.begin() + 12, a.end());
  out.insert(out.end(), b.begin() + 12, b.end());
  if (third)
    for (int i = 0; i < 6; ++i) word(0);  // words A, B, texts A, B, no units, no table
  return out;
}

const LibraryInfo* SilentLibrary() {
  static UnitTypeInfo silent = LabelUnitType();
  silent.flags &= ~(kTypeFlagEvents | kTypeFlagEvents2);
  static const UnitTypeInfo* types[1] = {&silent};
  static const LibraryInfo library = {"silent", nullptr, 1, types};
  return &library;
}

void FireEventOf(uint32_t windowId, uint32_t unitId) {
  EventRequest request{};
  request.windowId = windowId;
  request.unitId = unitId;
  RuntimeNotify(kNotifyFireEvent, reinterpret_cast<intptr_t>(&request), 0);
}

// What each scenario asks of the framework after the start window loaded.
void Ask() {
  if (g_scenario == "read-missing-window") RtReadProperty(kMissingWindow, 0, kCommonLeft, -1);
  else if (g_scenario == "write-missing-unit") RtWriteProperty(kStartWindow, kMissingUnit, kCommonLeft, -1, 5, 0);
  else if (g_scenario == "read-unloaded-unit") RtReadProperty(kOtherWindow, kSilentTypeUnit, kLabelCaption, -1);
  else if (g_scenario == "event-missing-window") FireEventOf(kMissingWindow, 0);
  else if (g_scenario == "event-missing-unit") FireEventOf(kStartWindow, kMissingUnit);
  else if (g_scenario == "event-unknown-type") FireEventOf(kOtherWindow, kUnknownTypeUnit);
  else if (g_scenario == "event-silent-type") FireEventOf(kOtherWindow, kSilentTypeUnit);
}

std::vector<uint8_t> g_templates;
const LibraryInfo* g_libraries[2];
ProgramHeader g_header;

int ProgramEntry() {
  RtService(kServiceInitialize);
  RtService(kServiceRegisterCleanup, reinterpret_cast<intptr_t>(&Cleanup));
  RtLoadWindow(kStartWindow);
  Log("loaded");
  Ask();
  RtRunLoop();
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  return RunScenarioProgram(instance, &g_scenario, &g_log, &UnitFrameworkHost(), ProgramEntry, [] {
    g_templates = Templates();
    g_libraries[0] = &CoreLibrary();
    g_libraries[1] = SilentLibrary();
    g_header = ProgramHeader{3, 0, 90722, CodeBase(), nullptr, 0, g_templates.data(),
                             static_cast<uint32_t>(g_templates.size()), 2, g_libraries, 0, nullptr, nullptr};
    return static_cast<const ProgramHeader*>(&g_header);
  });
}
