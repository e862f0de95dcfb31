// The library descriptor and its LibNotify entry. The library reaches the
// runtime only through the callback it keeps here.
#include "ui/listview/extended_ui_library.h"

#include "ui/listview/listview_unit.h"
#include "ui/unit_type.h"

namespace {

NotifyFn g_runtimeNotify;

intptr_t LibNotify(int code, intptr_t p1, intptr_t p2) {
  if (code != kLibInit) return -1;
  g_runtimeNotify = reinterpret_cast<NotifyFn>(p1);
  return 0;
}

}  // namespace

intptr_t ExtendedUiNotify(int code, intptr_t p1, intptr_t p2) {
  return g_runtimeNotify ? g_runtimeNotify(code, p1, p2) : 0;
}

const LibraryInfo& ExtendedUiLibrary() {
  // Indexed by type number; the other types of the library are not built.
  static const UnitTypeInfo* const types[] = {nullptr, nullptr, nullptr, &ListViewUnitType()};
  static const LibraryInfo library = {"ExtendedUI", &LibNotify, 4, types};
  return library;
}
