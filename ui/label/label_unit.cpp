// The label unit: window class "_VX_Label", registered on first use. The
// unit object hangs off the window (GWLP_USERDATA) from WM_NCCREATE on.
#include "ui/label/label_unit.h"

#include <windows.h>

#include "runtime/runtime.h"
#include "ui/framework/gdi.h"
#include "ui/framework/property_table.h"
#include "ui/framework/unit_control.h"
#include "ui/framework/unit_operations.h"
#include "ui/label/label_paint.h"
#include "ui/template/label_blob.h"

namespace {

constexpr char kLabelClass[] = "_VX_Label";

struct LabelUnit {
  UnitObject head;
  LabelProps props;
  OwnedFont font;
};

// The unit being created, until its window takes it over in WM_NCCREATE.
LabelUnit* g_unattached;

// Type property indices (property index - 8).
enum : int {
  kCaption = 0, kEffect, kBorder, kGradientBorderWidth, kBorderColor1, kBorderColor2,
  kBorderColor3, kFont, kTextColor, kBackColor, kPicture, kPictureMode, kGradientMode,
  kGradientColor1, kGradientColor2, kGradientColor3, kHAlign, kWordWrap, kVAlign, kText27,
  kText28,
};

constexpr DWORD kBorderExStyles = WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME | WS_EX_STATICEDGE;

// Border styles 1-5 are window frames; 6 is painted by the label.
void BorderStyles(uint32_t border, DWORD& style, DWORD& exStyle) {
  switch (border) {
    case 1: exStyle |= WS_EX_CLIENTEDGE; break;
    case 2: exStyle |= WS_EX_DLGMODALFRAME; break;
    case 3: exStyle |= WS_EX_STATICEDGE; break;
    case 4: exStyle |= WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME; break;
    case 5: style |= WS_BORDER; break;
    default: break;
  }
}

void Paint(LabelUnit* unit) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(unit->head.hwnd, &ps);
  RECT client;
  GetClientRect(unit->head.hwnd, &client);
  IntersectClipRect(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right, ps.rcPaint.bottom);
  PaintLabel(dc, client, unit->props, unit->font.Get(), unit->props.caption.c_str());
  EndPaint(unit->head.hwnd, &ps);
}

LRESULT CALLBACK LabelProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTA*>(lp);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    g_unattached = nullptr;
  }
  auto* unit = reinterpret_cast<LabelUnit*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!unit) return DefWindowProcA(hwnd, msg, wp, lp);
  LRESULT result;
  if (HandleCommonUnitMessage(&unit->head, hwnd, msg, wp, lp, &result)) return result;
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT covers every pixel
    case WM_PAINT:
      Paint(unit);
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      if (unit->head.hwnd) ReportUnitDestroyed(&unit->head);
      delete unit;
      return DefWindowProcA(hwnd, msg, wp, lp);
    default:
      return DefWindowProcA(hwnd, msg, wp, lp);
  }
}

bool RegisterLabelClass() {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExA(RtInstance(), kLabelClass, &wc)) return true;
  wc.cbSize = sizeof wc;
  wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  wc.lpfnWndProc = LabelProc;
  wc.hInstance = RtInstance();
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  wc.lpszClassName = kLabelClass;
  return RegisterClassExA(&wc) != 0;
}

UnitObject* Create(const uint8_t* blob, int32_t length, uint32_t style, HWND parent,
                   UINT controlId, HMENU, int left, int top, int width, int height,
                   uint32_t windowId, uint32_t unitId, int, int) {
  if (!RegisterLabelClass()) return nullptr;
  LabelUnit* unit = DecodeUnit<LabelUnit>(blob, length, DecodeLabelProps, windowId, unitId).release();
  if (!unit) return nullptr;
  unit->font.Set(unit->props.font);
  DWORD ws = style | WS_CHILD | WS_CLIPSIBLINGS, ex = 0;
  BorderStyles(unit->props.border, ws, ex);
  // Once its window holds the unit, a failed creation frees it in
  // WM_NCDESTROY (without a notice: the unit has no handle yet).
  g_unattached = unit;
  HWND hwnd = CreateWindowExA(ex, kLabelClass, unit->props.caption.c_str(), ws, left, top, width,
                              height, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(controlId)),
                              RtInstance(), unit);
  if (!hwnd) {
    delete g_unattached;
    g_unattached = nullptr;
    return nullptr;
  }
  unit->head.hwnd = hwnd;
  return &unit->head;
}

uint32_t* ColorSlot(LabelProps& p, int index) {
  switch (index) {
    case kBorderColor1: return &p.borderColors[0];
    case kBorderColor2: return &p.borderColors[1];
    case kBorderColor3: return &p.borderColors[2];
    case kTextColor: return &p.textColor;
    case kBackColor: return &p.backColor;
    case kGradientColor1: return &p.gradientColors[0];
    case kGradientColor2: return &p.gradientColors[1];
    case kGradientColor3: return &p.gradientColors[2];
    default: return nullptr;
  }
}

uint32_t* WordSlot(LabelProps& p, int index) {
  switch (index) {
    case kEffect: return &p.textEffect;
    case kPictureMode: return &p.pictureMode;
    case kGradientMode: return &p.gradientMode;
    case kHAlign: return &p.hAlign;
    case kWordWrap: return &p.wordWrap;
    case kVAlign: return &p.vAlign;
    default: return ColorSlot(p, index);
  }
}

int SetProperty(UnitObject* object, int index, const PropValue* v, void*) {
  auto* unit = reinterpret_cast<LabelUnit*>(object);
  LabelProps& p = unit->props;
  const HWND hwnd = unit->head.hwnd;
  switch (index) {
    case kCaption:
      p.caption = v->text;
      SetWindowTextA(hwnd, p.caption.c_str());
      break;
    case kBorder: {
      p.border = v->u32;
      DWORD ws = static_cast<DWORD>(GetWindowLongPtrA(hwnd, GWL_STYLE)) & ~WS_BORDER;
      DWORD ex = static_cast<DWORD>(GetWindowLongPtrA(hwnd, GWL_EXSTYLE)) & ~kBorderExStyles;
      BorderStyles(p.border, ws, ex);
      SetWindowLongPtrA(hwnd, GWL_STYLE, ws);
      SetWindowLongPtrA(hwnd, GWL_EXSTYLE, ex);
      SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
      break;
    }
    case kGradientBorderWidth:
      p.gradientBorderWidth = AtLeastMinimumFrameWidth(v->u32);
      break;
    case kFont:
      p.font.assign(v->data, v->data + v->length);
      unit->font.Set(p.font);
      break;
    case kPicture: p.picture.assign(v->data, v->data + v->length); break;
    case kText27: p.text27 = v->text; return 0;
    case kText28: p.text28 = v->text; return 0;
    default:
      if (uint32_t* slot = WordSlot(p, index)) *slot = v->u32;
      else return 0;
      break;
  }
  InvalidateRect(hwnd, nullptr, TRUE);
  return 0;
}

int GetProperty(UnitObject* object, int index, PropValue* v) {
  auto* unit = reinterpret_cast<LabelUnit*>(object);
  LabelProps& p = unit->props;
  switch (index) {
    case kCaption: v->text = p.caption.c_str(); return 1;
    case kBorder: v->u32 = p.border; return 1;
    case kGradientBorderWidth: v->u32 = p.gradientBorderWidth; return 1;
    case kFont: v->data = p.font.data(), v->length = static_cast<int32_t>(p.font.size()); return 1;
    case kPicture: v->data = p.picture.data(), v->length = static_cast<int32_t>(p.picture.size()); return 1;
    case kText27: v->text = p.text27.c_str(); return 1;
    case kText28: v->text = p.text28.c_str(); return 1;
    default:
      if (uint32_t* slot = WordSlot(p, index)) {
        v->u32 = *slot;
        return 1;
      }
      return 0;
  }
}

bool GetAllProperties(UnitObject* object, uint8_t** blob, int32_t* length) {
  return HandOverBlob(EncodeLabelProps(reinterpret_cast<LabelUnit*>(object)->props), blob, length);
}

constexpr UnitOperations kOperations = {
    .create = Create, .setProperty = SetProperty, .getAllProperties = GetAllProperties,
    .getProperty = GetProperty,
};

constexpr const char kAlignList[] = "左对齐\0居中\0右对齐\0";
constexpr PropertyInfo kLabelProperties[] = {
    TypeProperty("标题", "Caption", kPropText),
    TypeProperty("效果", "Effect", kPropPickList, "无\0凸出\0凹入\0阴影\0"),
    TypeProperty("边框", "Border", kPropPickList,
                 "无边框\0凹入式\0凸出式\0浅凹入式\0镜框式\0单线边框式\0渐变边框\0"),
    TypeProperty("渐变边框宽度", "GradientBorderWidth", kPropInt),
    TypeProperty("渐变边框颜色1", "GradientBorderColor1", kPropColorOrTransparent),
    TypeProperty("渐变边框颜色2", "GradientBorderColor2", kPropColorOrTransparent),
    TypeProperty("渐变边框颜色3", "GradientBorderColor3", kPropColorOrTransparent),
    TypeProperty("字体", "Font", kPropFont),
    TypeProperty("文本颜色", "TextColor", kPropColor),
    TypeProperty("背景颜色", "BackColor", kPropColorOrDefault),
    TypeProperty("底图", "Picture", kPropPicture),
    TypeProperty("底图方式", "PictureMode", kPropPickList, "图片居左上\0图片平铺\0图片居中\0缩放图片\0"),
    TypeProperty("渐变背景方式", "GradientMode", kPropPickList, "无\0从左到右\0从上到下\0"),
    TypeProperty("渐变背景颜色1", "GradientColor1", kPropColorOrTransparent),
    TypeProperty("渐变背景颜色2", "GradientColor2", kPropColorOrTransparent),
    TypeProperty("渐变背景颜色3", "GradientColor3", kPropColorOrTransparent),
    TypeProperty("横向对齐方式", "HAlign", kPropPickList, kAlignList),
    TypeProperty("是否自动折行", "WordWrap", kPropBool),
    TypeProperty("纵向对齐方式", "VAlign", kPropPickList, "上对齐\0居中\0下对齐\0"),
    TypeProperty("数据源", "DataSource", kPropText2),
    TypeProperty("数据列", "DataColumn", kPropText2),
};
constexpr auto kProperties = MakePropertyTable(kLabelProperties);

constexpr UnitTypeInfo kLabelType = {
    "标签", "Label", nullptr, 0, nullptr, 0x84012040, 0, 0, nullptr,
    static_cast<int32_t>(kProperties.size()), kProperties.data(), LookupIn<kOperations>, 0, nullptr,
};

}  // namespace

const UnitTypeInfo& LabelUnitType() { return kLabelType; }
