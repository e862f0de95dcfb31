// The list view's properties 8-38 (its own indices 0-30): live setters,
// re-creating setters, readers, write-back, and the type descriptor.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstring>

#include "runtime/runtime.h"
#include "ui/framework/unit_operations.h"
#include "ui/listview/extended_ui_library.h"
#include "ui/listview/listview_apply.h"
#include "ui/listview/listview_unit.h"

namespace {

// Property indices as the program numbers them.
enum : int {
  kBorder = 8, kTextColor, kTextBkColor, kBkColor, kFont, kView, kIconAlign, kAutoArrange,
  kWrapLabels, kColumns, kHideHeader, kHeaderImages, kSortableHeader, kFullRowSelect,
  kGridLines, kHeaderDragDrop, kImages, kStateImages, kHotTrack, kHandCursor, kUnderlineCold,
  kUnderlineHot, kEditLabels, kSortOrder, kCheckBoxes, kFlatScrollBars, kSingleSelection,
  kCurrentItem, kAlwaysShowSelection, kInitialItems, kEditedText,
};
static_assert(kEditedText == 38);

constexpr int kRecreate = 1;
constexpr int kLive = 0;

Bytes BlockOf(const PropValue* v) {
  if (!v->data || v->length <= 0) return {};
  return Bytes(v->data, v->data + v->length);
}

void SetStyleBit(HWND hwnd, DWORD bit, bool on) {
  LONG_PTR style = GetWindowLongPtrA(hwnd, GWL_STYLE);
  SetWindowLongPtrA(hwnd, GWL_STYLE, on ? style | bit : style & ~static_cast<LONG_PTR>(bit));
}

void AnswerBlock(const Bytes& b, PropValue* v) {
  v->data = b.empty() ? nullptr : b.data();
  v->length = static_cast<int32_t>(b.size());
}

}  // namespace

int SetListViewProperty(UnitObject* object, int typeIndex, const PropValue* v, void* reserved) {
  ListViewUnit* unit = AsListView(object);
  if (!unit) return kLive;
  ListViewData& d = unit->data;
  HWND hwnd = unit->hwnd;
  const bool on = v->i32 != 0;
  switch (typeIndex + 8) {
    case kBorder:
      d.borderStyle = std::clamp(v->i32, 0, 5);
      ApplyBorderStyle(hwnd, d.borderStyle);
      return kLive;
    case kTextColor:
      d.textColor = v->u32;
      SendMessageA(hwnd, LVM_SETTEXTCOLOR, 0, d.textColor);
      InvalidateRect(hwnd, nullptr, TRUE);
      UpdateWindow(hwnd);
      return kLive;
    case kTextBkColor:
      d.textBkColor = v->u32;
      SendMessageA(hwnd, LVM_SETTEXTBKCOLOR, 0, ResolveColor(d.textBkColor));
      return kLive;
    case kBkColor:
      d.bkColor = v->u32;
      SendMessageA(hwnd, LVM_SETBKCOLOR, 0, ResolveColor(d.bkColor));
      InvalidateRect(hwnd, nullptr, TRUE);
      return kLive;
    case kFont:
      d.font = BlockOf(v);
      ApplyFont(unit);
      return kLive;
    case kView:
      d.view = std::clamp(v->i32, 0, 3);
      return kRecreate;
    case kIconAlign:
      d.iconAlign = std::clamp(v->i32, 0, 1);
      return unit->iconView() ? kRecreate : kLive;
    case kAutoArrange:
      d.autoArrange = on;
      return unit->iconView() ? kRecreate : kLive;
    case kWrapLabels:
      d.wrapLabels = on;
      if (unit->iconView()) SetStyleBit(hwnd, LVS_NOLABELWRAP, !on);
      return kLive;
    case kColumns:
      d.columns = BlockOf(v);
      return unit->reportView() ? kRecreate : kLive;
    case kHideHeader:
      d.hideHeader = on;
      if (unit->reportView()) SetStyleBit(hwnd, LVS_NOCOLUMNHEADER, on);
      return kLive;
    case kHeaderImages:
      d.headerImages = BlockOf(v);
      if (unit->reportView()) ApplyHeaderImageList(unit);
      return kLive;
    case kSortableHeader: d.sortableHeader = on; return unit->reportView() ? kRecreate : kLive;
    case kFullRowSelect: d.fullRowSelect = on; return unit->reportView() ? kRecreate : kLive;
    case kGridLines: d.gridLines = on; return unit->reportView() ? kRecreate : kLive;
    case kHeaderDragDrop: d.headerDragDrop = on; return unit->reportView() ? kRecreate : kLive;
    case kImages:
      d.images = BlockOf(v);
      ApplyImageList(unit);
      return kLive;
    case kStateImages:
      d.stateImages = BlockOf(v);
      ApplyStateImageList(unit);
      return kLive;
    case kHotTrack: d.hotTrack = on; return kRecreate;
    case kHandCursor: d.handCursor = on; return d.hotTrack ? kRecreate : kLive;
    case kUnderlineCold: d.underlineCold = on; return d.hotTrack ? kRecreate : kLive;
    case kUnderlineHot: d.underlineHot = on; return d.hotTrack ? kRecreate : kLive;
    case kEditLabels: d.editLabels = on; return kRecreate;
    case kSortOrder: d.sortOrder = std::clamp(v->i32, 0, 2); return kRecreate;
    case kCheckBoxes: d.checkBoxes = on; return kRecreate;
    case kFlatScrollBars: d.flatScrollBars = on; return kRecreate;
    case kSingleSelection: d.singleSelection = on; return kRecreate;
    case kCurrentItem:
      d.currentItem = std::max(v->i32, -1);
      ApplyCurrentItem(unit);
      return kLive;
    case kAlwaysShowSelection: d.alwaysShowSelection = on; return kRecreate;
    case kInitialItems:
      d.items = BlockOf(v);
      BuildInitialItems(unit);
      return kLive;
    default:  // the edited text is read only
      return kLive;
  }
}

int GetListViewProperty(UnitObject* object, int typeIndex, PropValue* v) {
  ListViewUnit* unit = AsListView(object);
  if (!unit) return 0;
  const ListViewData& d = unit->data;
  HWND hwnd = unit->hwnd;
  switch (typeIndex + 8) {
    case kBorder: v->i32 = d.borderStyle; break;
    case kTextColor: v->u32 = static_cast<uint32_t>(SendMessageA(hwnd, LVM_GETTEXTCOLOR, 0, 0)); break;
    case kTextBkColor: v->u32 = static_cast<uint32_t>(SendMessageA(hwnd, LVM_GETTEXTBKCOLOR, 0, 0)); break;
    case kBkColor: v->u32 = static_cast<uint32_t>(SendMessageA(hwnd, LVM_GETBKCOLOR, 0, 0)); break;
    case kFont: AnswerBlock(d.font, v); break;
    case kView: v->i32 = d.view; break;
    case kIconAlign: v->i32 = d.iconAlign; break;
    case kAutoArrange: v->i32 = d.autoArrange; break;
    case kWrapLabels: v->i32 = d.wrapLabels; break;
    case kColumns: AnswerBlock(d.columns, v); break;
    case kHideHeader: v->i32 = d.hideHeader; break;
    case kHeaderImages: AnswerBlock(d.headerImages, v); break;
    case kSortableHeader: v->i32 = d.sortableHeader; break;
    case kFullRowSelect: v->i32 = d.fullRowSelect; break;
    case kGridLines: v->i32 = d.gridLines; break;
    case kHeaderDragDrop: v->i32 = d.headerDragDrop; break;
    case kImages: AnswerBlock(d.images, v); break;
    case kStateImages: AnswerBlock(d.stateImages, v); break;
    case kHotTrack: v->i32 = d.hotTrack; break;
    case kHandCursor: v->i32 = d.handCursor; break;
    case kUnderlineCold: v->i32 = d.underlineCold; break;
    case kUnderlineHot: v->i32 = d.underlineHot; break;
    case kEditLabels: v->i32 = d.editLabels; break;
    case kSortOrder: v->i32 = d.sortOrder; break;
    case kCheckBoxes: v->i32 = d.checkBoxes; break;
    case kFlatScrollBars: v->i32 = d.flatScrollBars; break;
    case kSingleSelection: v->i32 = d.singleSelection; break;
    case kCurrentItem: v->i32 = static_cast<int32_t>(SendMessageA(hwnd, LVM_GETNEXTITEM, -1, LVNI_SELECTED)); break;
    case kAlwaysShowSelection: v->i32 = d.alwaysShowSelection; break;
    case kInitialItems: AnswerBlock(d.items, v); break;
    case kEditedText: v->text = unit->editedText.empty() ? nullptr : unit->editedText.c_str(); break;
    default: return 0;
  }
  return 1;
}

// The stored values, not the control's: a colour kept as "button face"
// stays so, and the current item is the designed one.
bool GetAllListViewProperties(UnitObject* object, uint8_t** blob, int32_t* length) {
  ListViewUnit* unit = AsListView(object);
  if (!unit) return false;
  Bytes bytes = EncodeListViewData(unit->data);
  auto out = reinterpret_cast<uint8_t*>(ExtendedUiNotify(kNotifyAlloc, static_cast<intptr_t>(bytes.size()), 0));
  if (!out) return false;
  memcpy(out, bytes.data(), bytes.size());
  *blob = out;
  *length = static_cast<int32_t>(bytes.size());
  return true;
}

namespace {

constexpr uint16_t kCommon = 0xE000;
constexpr uint16_t kOwn = 0x8000;
constexpr uint16_t kRuntimeOnly = kOwn | 1;

const PropertyInfo kProperties[] = {
    {"左边", "Left", nullptr, kPropInt, kCommon, nullptr},
    {"顶边", "Top", nullptr, kPropInt, kCommon, nullptr},
    {"宽度", "Width", nullptr, kPropInt, kCommon, nullptr},
    {"高度", "Height", nullptr, kPropInt, kCommon, nullptr},
    {"标记", "Tag", nullptr, kPropText, kCommon, nullptr},
    {"可视", "Visible", nullptr, kPropBool, kCommon, nullptr},
    {"禁止", "Disable", nullptr, kPropBool, kCommon, nullptr},
    {"鼠标指针", "MousePointer", nullptr, kPropCursor, kCommon, nullptr},
    {"边框", "Border", nullptr, kPropPickList, kOwn, nullptr},
    {"文本颜色", "TextColor", nullptr, kPropColor, kOwn, nullptr},
    {"文本背景颜色", "TextBackColor", nullptr, kPropColor, kOwn, nullptr},
    {"背景颜色", "BackColor", nullptr, kPropColor, kOwn, nullptr},
    {"字体", "Font", nullptr, kPropFont, kOwn, nullptr},
    {"类型", "View", nullptr, kPropPickList, kOwn, nullptr},
    {"图标对齐", "IconAlign", nullptr, kPropPickList, kOwn, nullptr},
    {"自动排列", "AutoArrange", nullptr, kPropBool, kOwn, nullptr},
    {"标签换行", "WrapLabels", nullptr, kPropBool, kOwn, nullptr},
    {"列", "Columns", nullptr, kPropBytes2, kOwn, nullptr},
    {"隐藏列头", "HideHeader", nullptr, kPropBool, kOwn, nullptr},
    {"列头图片组", "HeaderImages", nullptr, kPropBytes2, kOwn, nullptr},
    {"列头可点击", "SortableHeader", nullptr, kPropBool, kOwn, nullptr},
    {"整行选择", "FullRowSelect", nullptr, kPropBool, kOwn, nullptr},
    {"网格线", "GridLines", nullptr, kPropBool, kOwn, nullptr},
    {"列头可拖放", "HeaderDragDrop", nullptr, kPropBool, kOwn, nullptr},
    {"图片组", "Images", nullptr, kPropBytes2, kOwn, nullptr},
    {"状态图片组", "StateImages", nullptr, kPropBytes2, kOwn, nullptr},
    {"热点跟踪", "HotTracking", nullptr, kPropBool, kOwn, nullptr},
    {"热点手形指针", "HandCursor", nullptr, kPropBool, kOwn, nullptr},
    {"冷项带下划线", "UnderlineCold", nullptr, kPropBool, kOwn, nullptr},
    {"热项带下划线", "UnderlineHot", nullptr, kPropBool, kOwn, nullptr},
    {"允许编辑", "EditLabels", nullptr, kPropBool, kOwn, nullptr},
    {"排序方式", "SortOrder", nullptr, kPropPickList, kOwn, nullptr},
    {"检查框", "CheckBoxes", nullptr, kPropBool, kOwn, nullptr},
    {"平面滚动条", "FlatScrollBars", nullptr, kPropBool, kOwn, nullptr},
    {"单一选择", "SingleSelection", nullptr, kPropBool, kOwn, nullptr},
    {"现行选中项", "CurrentItem", nullptr, kPropInt, kOwn, nullptr},
    {"始终显示选择", "AlwaysShowSelection", nullptr, kPropBool, kOwn, nullptr},
    {"表项", "Items", nullptr, kPropBytes2, kOwn, nullptr},
    {"编辑后文本", "EditedText", nullptr, kPropText, kRuntimeOnly, nullptr},
};
static_assert(std::size(kProperties) == 39);

constexpr UnitOperations kOperations = {
    .create = CreateListView, .setProperty = SetListViewProperty,
    .getAllProperties = GetAllListViewProperties, .getProperty = GetListViewProperty,
};

}  // namespace

const UnitTypeInfo& ListViewUnitType() {
  static const UnitTypeInfo info = {
      "超级列表框", "ListView", nullptr, 0, nullptr, 0x80000000 | kTypeFlagEvents, 0, 0, nullptr,
      static_cast<int32_t>(std::size(kProperties)), kProperties, &LookupIn<kOperations>, 0, nullptr,
  };
  return info;
}
