// The WindowHost table; see host.h.
#include "ui/framework/host.h"

#include <algorithm>
#include <vector>

#include "ui/framework/events.h"
#include "ui/framework/load_window.h"
#include "ui/framework/pretranslate.h"
#include "ui/framework/unit_types.h"
#include "ui/framework/window_list.h"

namespace {

std::vector<void (*)()>& ShutdownRoutines() {
  static std::vector<void (*)()> routines;
  return routines;
}

bool LoadTemplates(const uint8_t* data, uint32_t length, uintptr_t codeBase) {
  std::vector<std::unique_ptr<WindowTemplate>> loaded;
  if (!data || !LoadWindowTemplates({data, length}, codeBase, loaded)) return false;
  for (auto& tmpl : loaded) {
    auto win = std::make_unique<LoadedWindow>();
    for (const auto& rec : tmpl->records) win->pristine.push_back(*rec);
    win->tmpl = std::move(tmpl);
    LoadedWindows().push_back(std::move(win));
  }
  return true;
}

// Windows still alive go first (their notices are ignored by then), then
// the templates.
void ReleaseTemplates() {
  TemplatesReleasing() = true;
  for (auto& w : LoadedWindows())
    if (HWND h = w->Handle()) DestroyWindow(h);
  LoadedWindows().clear();
  TemplatesReleasing() = false;
}

int LoadedWindowCount() { return static_cast<int>(LoadedWindows().size()); }

uint32_t LoadedWindowId(int index) {
  auto& list = LoadedWindows();
  return index >= 0 && index < static_cast<int>(list.size()) ? list[index]->tmpl->id : 0;
}

HWND LoadedWindowHandle(int index) {
  auto& list = LoadedWindows();
  return index >= 0 && index < static_cast<int>(list.size()) ? list[index]->Handle() : nullptr;
}

intptr_t Notify(int code, intptr_t p1, intptr_t p2) {
  const auto window = static_cast<uint32_t>(p1), unit = static_cast<uint32_t>(p2);
  switch (code) {
    case kNotifyWindowTable: return reinterpret_cast<intptr_t>(&LoadedWindows());
    case kNotifyTypeInfo: return reinterpret_cast<intptr_t>(TypeInfoFor(static_cast<uint32_t>(p1)));
    case kNotifyDestroyed: OnUnitDestroyed(window, unit); return 0;
    case kNotifyResolveUnit: return reinterpret_cast<intptr_t>(ResolveUnit(window, unit, false));
    case kNotifyResolveUnitMandatory: return reinterpret_cast<intptr_t>(ResolveUnit(window, unit, true));
    case kNotifyFireEvent:
      return p1 ? FireEvent(*reinterpret_cast<EventRequest*>(p1)) : 0;
    case kNotifyFireTypedEvent:
      return p1 ? FireTypedEvent(*reinterpret_cast<TypedEventRequest*>(p1)) : 0;
    case kNotifySuppressEvents: SuppressEvents(); return 0;
    case kNotifyResumeEvents: ResumeEvents(); return 0;
    default: return 0;
  }
}

void Shutdown() {
  for (auto release : ShutdownRoutines()) release();
  ShutdownRoutines().clear();
}

constexpr WindowHost kHost = {
    LoadTemplates, ReleaseTemplates, LoadWindow, LoadedWindowCount, LoadedWindowId,
    LoadedWindowHandle, PreTranslateMessage, Notify, Shutdown,
};

}  // namespace

const WindowHost& UnitFrameworkHost() { return kHost; }

void AtFrameworkShutdown(void (*release)()) {
  auto& list = ShutdownRoutines();
  if (std::find(list.begin(), list.end(), release) == list.end()) list.push_back(release);
}
