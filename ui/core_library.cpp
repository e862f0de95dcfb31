// The core library's unit types: one line a type, found by its TypeCode.
#include "ui/core_library.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "ui/button/button_unit.h"
#include "ui/combo/combo_unit.h"
#include "ui/commondlg/commondlg_unit.h"
#include "ui/edit/edit_unit.h"
#include "ui/label/label_unit.h"
#include "ui/window/window_unit.h"

namespace {

struct CoreType {
  uint32_t code;
  const UnitTypeInfo& (*info)();
};

constexpr CoreType kCoreTypes[] = {
    {kWindowTypeCode, WindowUnitType},
    {kEditBoxTypeCode, EditBoxUnitType},
    {kLabelTypeCode, LabelUnitType},
    {kButtonTypeCode, ButtonUnitType},
    {kComboBoxTypeCode, ComboBoxUnitType},
    {kCommonDialogTypeCode, CommonDialogUnitType},
};

// The library numbers 31 types; the others are not built.
constexpr int kCoreTypeCount = 31;

constexpr int TypeNumber(uint32_t code) { return static_cast<int>(code & 0xFFFF) - 1; }

constexpr bool InCoreLibrary(uint32_t code) {
  return code >> 16 == kCoreLibraryNumber + 1 && TypeNumber(code) >= 0 && TypeNumber(code) < kCoreTypeCount;
}
static_assert(std::all_of(std::begin(kCoreTypes), std::end(kCoreTypes),
                          [](const CoreType& t) { return InCoreLibrary(t.code); }));
// Two types at one number: one would silently hide the other.
static_assert(std::all_of(std::begin(kCoreTypes), std::end(kCoreTypes), [](const CoreType& a) {
  return std::count_if(std::begin(kCoreTypes), std::end(kCoreTypes),
                       [&](const CoreType& b) { return b.code == a.code; }) == 1;
}));

}  // namespace

const LibraryInfo& CoreLibrary() {
  static const auto types = [] {
    std::array<const UnitTypeInfo*, kCoreTypeCount> byNumber{};
    for (const CoreType& t : kCoreTypes) byNumber[TypeNumber(t.code)] = &t.info();
    return byNumber;
  }();
  static const LibraryInfo core = {"core", nullptr, kCoreTypeCount, types.data()};
  return core;
}
