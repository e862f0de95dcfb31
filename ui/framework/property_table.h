// Building a unit type's property table: the eight common properties
// first (state 0xE000), then the type's own (state 0x8000).
#pragma once

#include <array>
#include <cstddef>
#include <iterator>

#include "ui/framework/look_properties.h"
#include "ui/unit_type.h"

inline constexpr uint16_t kCommonPropertyState = 0xE000;
inline constexpr uint16_t kTypePropertyState = 0x8000;
// A type property that cannot be set at design time.
inline constexpr uint16_t kRuntimeOnlyPropertyState = kTypePropertyState | 1;

inline constexpr PropertyInfo kCommonProperties[8] = {
    {"左边", "Left", nullptr, kPropInt, kCommonPropertyState, nullptr},
    {"顶边", "Top", nullptr, kPropInt, kCommonPropertyState, nullptr},
    {"宽度", "Width", nullptr, kPropInt, kCommonPropertyState, nullptr},
    {"高度", "Height", nullptr, kPropInt, kCommonPropertyState, nullptr},
    {"标记", "Tag", nullptr, kPropText, kCommonPropertyState, nullptr},
    {"可视", "Visible", nullptr, kPropBool, kCommonPropertyState, nullptr},
    {"禁止", "Disable", nullptr, kPropBool, kCommonPropertyState, nullptr},
    {"鼠标指针", "MousePointer", nullptr, kPropCursor, kCommonPropertyState, nullptr},
};

// A type property (index 8 and up).
constexpr PropertyInfo TypeProperty(const char* name, const char* english, uint16_t type,
                                    const char* pickList = nullptr,
                                    uint16_t state = kTypePropertyState) {
  return {name, english, nullptr, type, state, pickList};
}

// Entries that several types share word for word.
inline constexpr PropertyInfo kTextColorProperty = TypeProperty("文本颜色", "TextColor", kPropColor);
inline constexpr PropertyInfo kBackColorProperty = TypeProperty("背景颜色", "BackColor", kPropColorOrDefault);
inline constexpr PropertyInfo kFontProperty = TypeProperty("字体", "Font", kPropFont);
// A field of a data source the unit shows; kept, never bound in this runtime.
inline constexpr PropertyInfo kDataSourceProperty = TypeProperty("数据源", "DataSource", kPropText2);
inline constexpr PropertyInfo kDataColumnProperty = TypeProperty("数据列", "DataColumn", kPropText2);
inline constexpr PropertyInfo kHAlignProperty =
    TypeProperty("横向对齐方式", "HAlign", kPropPickList, "左对齐\0居中\0右对齐\0");
inline constexpr PropertyInfo kVAlignProperty =
    TypeProperty("纵向对齐方式", "VAlign", kPropPickList, "上对齐\0居中\0下对齐\0");

// A type's whole table: the eight common properties, then its own in
// order, with the look's shared entries at the look's numbers among them.
template <const auto& kOwn, LookProperties kLook = kNoLook>
inline constexpr auto kPropertyTable = [] {
  constexpr size_t n = kFirstTypeProperty + std::size(kOwn) + kLook.Count();
  constexpr auto inTable = [](int number) { return number == 0 || (number >= kFirstTypeProperty && number < int{n}); };
  static_assert(inTable(kLook.font) && inTable(kLook.textColor) && inTable(kLook.backColor));
  std::array<PropertyInfo, n> table{};
  size_t own = 0;
  for (size_t i = 0; i < n; ++i) {
    const int number = static_cast<int>(i);
    if (number < kFirstTypeProperty) table[i] = kCommonProperties[i];
    else if (number == kLook.font) table[i] = kFontProperty;
    else if (number == kLook.textColor) table[i] = kTextColorProperty;
    else if (number == kLook.backColor) table[i] = kBackColorProperty;
    else table[i] = kOwn[own++];
  }
  return table;
}();
