// The list view's properties 8-38: live setters, re-creating setters,
// readers, write-back, and the type descriptor.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstring>

#include "runtime/runtime.h"
#include "ui/framework/property_table.h"
#include "ui/framework/unit_operations.h"
#include "ui/listview/extended_ui_library.h"
#include "ui/listview/listview_apply.h"
#include "ui/listview/listview_unit.h"

namespace {

constexpr int kRecreate = 1;
constexpr int kLive = 0;

Bytes BlockOf(const PropValue* v) {
  if (!v->data || v->length <= 0) return {};
  return Bytes(v->data, v->data + v->length);
}

void SetStyleBit(HWND hwnd, DWORD bit, bool on) {
  LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
  SetWindowLongPtrW(hwnd, GWL_STYLE, on ? style | bit : style & ~static_cast<LONG_PTR>(bit));
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
  switch (PropertyNumber(typeIndex)) {
    case kLvBorder:
      d.borderStyle = std::clamp(v->i32, 0, 5);
      ApplyBorderStyle(hwnd, d.borderStyle);
      return kLive;
    case kLvTextColor:
      d.textColor = v->u32;
      SendMessageW(hwnd, LVM_SETTEXTCOLOR, 0, d.textColor);
      InvalidateRect(hwnd, nullptr, TRUE);
      UpdateWindow(hwnd);
      return kLive;
    case kLvTextBkColor:
      d.textBkColor = v->u32;
      SendMessageW(hwnd, LVM_SETTEXTBKCOLOR, 0, ResolveColor(d.textBkColor));
      return kLive;
    case kLvBkColor:
      d.bkColor = v->u32;
      SendMessageW(hwnd, LVM_SETBKCOLOR, 0, ResolveColor(d.bkColor));
      InvalidateRect(hwnd, nullptr, TRUE);
      return kLive;
    case kLvFont:
      d.font = BlockOf(v);
      ApplyFont(unit);
      return kLive;
    case kLvView:
      d.view = std::clamp(v->i32, 0, 3);
      return kRecreate;
    case kLvIconAlign:
      d.iconAlign = std::clamp(v->i32, 0, 1);
      return unit->iconView() ? kRecreate : kLive;
    case kLvAutoArrange:
      d.autoArrange = on;
      return unit->iconView() ? kRecreate : kLive;
    case kLvWrapLabels:
      d.wrapLabels = on;
      if (unit->iconView()) SetStyleBit(hwnd, LVS_NOLABELWRAP, !on);
      return kLive;
    case kLvColumns:
      d.columns = BlockOf(v);
      return unit->reportView() ? kRecreate : kLive;
    case kLvHideHeader:
      d.hideHeader = on;
      if (unit->reportView()) SetStyleBit(hwnd, LVS_NOCOLUMNHEADER, on);
      return kLive;
    case kLvHeaderImages:
      d.headerImages = BlockOf(v);
      if (unit->reportView()) ApplyHeaderImageList(unit);
      return kLive;
    case kLvSortableHeader: d.sortableHeader = on; return unit->reportView() ? kRecreate : kLive;
    case kLvFullRowSelect: d.fullRowSelect = on; return unit->reportView() ? kRecreate : kLive;
    case kLvGridLines: d.gridLines = on; return unit->reportView() ? kRecreate : kLive;
    case kLvHeaderDragDrop: d.headerDragDrop = on; return unit->reportView() ? kRecreate : kLive;
    case kLvImages:
      d.images = BlockOf(v);
      ApplyImageList(unit);
      return kLive;
    case kLvStateImages:
      d.stateImages = BlockOf(v);
      ApplyStateImageList(unit);
      return kLive;
    case kLvHotTrack: d.hotTrack = on; return kRecreate;
    case kLvHandCursor: d.handCursor = on; return d.hotTrack ? kRecreate : kLive;
    case kLvUnderlineCold: d.underlineCold = on; return d.hotTrack ? kRecreate : kLive;
    case kLvUnderlineHot: d.underlineHot = on; return d.hotTrack ? kRecreate : kLive;
    case kLvEditLabels: d.editLabels = on; return kRecreate;
    case kLvSortOrder: d.sortOrder = std::clamp(v->i32, 0, 2); return kRecreate;
    case kLvCheckBoxes: d.checkBoxes = on; return kRecreate;
    case kLvFlatScrollBars: d.flatScrollBars = on; return kRecreate;
    case kLvSingleSelection: d.singleSelection = on; return kRecreate;
    case kLvCurrentItem:
      d.currentItem = std::max(v->i32, -1);
      ApplyCurrentItem(unit);
      return kLive;
    case kLvAlwaysShowSelection: d.alwaysShowSelection = on; return kRecreate;
    case kLvInitialItems:
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
  switch (PropertyNumber(typeIndex)) {
    case kLvBorder: v->i32 = d.borderStyle; break;
    case kLvTextColor: v->u32 = static_cast<uint32_t>(SendMessageW(hwnd, LVM_GETTEXTCOLOR, 0, 0)); break;
    case kLvTextBkColor: v->u32 = static_cast<uint32_t>(SendMessageW(hwnd, LVM_GETTEXTBKCOLOR, 0, 0)); break;
    case kLvBkColor: v->u32 = static_cast<uint32_t>(SendMessageW(hwnd, LVM_GETBKCOLOR, 0, 0)); break;
    case kLvFont: AnswerBlock(d.font, v); break;
    case kLvView: v->i32 = d.view; break;
    case kLvIconAlign: v->i32 = d.iconAlign; break;
    case kLvAutoArrange: v->i32 = d.autoArrange; break;
    case kLvWrapLabels: v->i32 = d.wrapLabels; break;
    case kLvColumns: AnswerBlock(d.columns, v); break;
    case kLvHideHeader: v->i32 = d.hideHeader; break;
    case kLvHeaderImages: AnswerBlock(d.headerImages, v); break;
    case kLvSortableHeader: v->i32 = d.sortableHeader; break;
    case kLvFullRowSelect: v->i32 = d.fullRowSelect; break;
    case kLvGridLines: v->i32 = d.gridLines; break;
    case kLvHeaderDragDrop: v->i32 = d.headerDragDrop; break;
    case kLvImages: AnswerBlock(d.images, v); break;
    case kLvStateImages: AnswerBlock(d.stateImages, v); break;
    case kLvHotTrack: v->i32 = d.hotTrack; break;
    case kLvHandCursor: v->i32 = d.handCursor; break;
    case kLvUnderlineCold: v->i32 = d.underlineCold; break;
    case kLvUnderlineHot: v->i32 = d.underlineHot; break;
    case kLvEditLabels: v->i32 = d.editLabels; break;
    case kLvSortOrder: v->i32 = d.sortOrder; break;
    case kLvCheckBoxes: v->i32 = d.checkBoxes; break;
    case kLvFlatScrollBars: v->i32 = d.flatScrollBars; break;
    case kLvSingleSelection: v->i32 = d.singleSelection; break;
    case kLvCurrentItem: v->i32 = static_cast<int32_t>(SendMessageW(hwnd, LVM_GETNEXTITEM, -1, LVNI_SELECTED)); break;
    case kLvAlwaysShowSelection: v->i32 = d.alwaysShowSelection; break;
    case kLvInitialItems: AnswerBlock(d.items, v); break;
    case kLvEditedText: v->text = unit->editedText.empty() ? nullptr : unit->editedText.c_str(); break;
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

constexpr PropertyInfo kListViewProperties[] = {
    TypeProperty("边框", "Border", kPropPickList),
    kTextColorProperty,
    TypeProperty("文本背景颜色", "TextBackColor", kPropColor),
    TypeProperty("背景颜色", "BackColor", kPropColor),
    kFontProperty,
    TypeProperty("类型", "View", kPropPickList),
    TypeProperty("图标对齐", "IconAlign", kPropPickList),
    TypeProperty("自动排列", "AutoArrange", kPropBool),
    TypeProperty("标签换行", "WrapLabels", kPropBool),
    TypeProperty("列", "Columns", kPropBytes2),
    TypeProperty("隐藏列头", "HideHeader", kPropBool),
    TypeProperty("列头图片组", "HeaderImages", kPropBytes2),
    TypeProperty("列头可点击", "SortableHeader", kPropBool),
    TypeProperty("整行选择", "FullRowSelect", kPropBool),
    TypeProperty("网格线", "GridLines", kPropBool),
    TypeProperty("列头可拖放", "HeaderDragDrop", kPropBool),
    TypeProperty("图片组", "Images", kPropBytes2),
    TypeProperty("状态图片组", "StateImages", kPropBytes2),
    TypeProperty("热点跟踪", "HotTracking", kPropBool),
    TypeProperty("热点手形指针", "HandCursor", kPropBool),
    TypeProperty("冷项带下划线", "UnderlineCold", kPropBool),
    TypeProperty("热项带下划线", "UnderlineHot", kPropBool),
    TypeProperty("允许编辑", "EditLabels", kPropBool),
    TypeProperty("排序方式", "SortOrder", kPropPickList),
    TypeProperty("检查框", "CheckBoxes", kPropBool),
    TypeProperty("平面滚动条", "FlatScrollBars", kPropBool),
    TypeProperty("单一选择", "SingleSelection", kPropBool),
    TypeProperty("现行选中项", "CurrentItem", kPropInt),
    TypeProperty("始终显示选择", "AlwaysShowSelection", kPropBool),
    TypeProperty("表项", "Items", kPropBytes2),
    TypeProperty("编辑后文本", "EditedText", kPropText, nullptr, kRuntimeOnlyPropertyState),
};
static_assert(kPropertyTable<kListViewProperties>.size() == kLvEditedText + 1);

constexpr UnitOperations kOperations = {
    .create = CreateListView, .setProperty = SetListViewProperty,
    .getAllProperties = GetAllListViewProperties, .getProperty = GetListViewProperty,
};

}  // namespace

const UnitTypeInfo& ListViewUnitType() {
  static constexpr UnitTypeInfo kType =
      UnitType<kOperations, kListViewProperties>("超级列表框", "ListView", kTypeFlagUnitType | kTypeFlagEvents);
  return kType;
}
