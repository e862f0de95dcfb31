// The label unit: window class "_VX_Label", registered on first use with
// the unit's procedure as the class's.
#include "ui/label/label_unit.h"

#include <windows.h>

#include "runtime/gbk_boundary.h"
#include "ui/framework/border_style.h"
#include "ui/framework/display_scale.h"
#include "ui/framework/property_table.h"
#include "ui/framework/typed_operations.h"
#include "ui/framework/unit_look.h"
#include "ui/framework/unit_operations.h"
#include "ui/label/label_paint.h"
#include "ui/template/label_blob.h"

namespace {

constexpr char kLabelClass[] = "_VX_Label";

constexpr LookProperties kLook{
    .drawing = LookDrawing::kByUnit, .font = kLabelFont, .textColor = kLabelTextColor, .backColor = kLabelBackColor};

struct LabelUnit : UnitObject {
  LabelProps props;
  UnitLook look = LookOf<kLook>(props);
};

void Paint(LabelUnit* unit) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(unit->hwnd, &ps);
  RECT client;
  GetClientRect(unit->hwnd, &client);
  IntersectClipRect(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right, ps.rcPaint.bottom);
  PaintLabel(dc, client, unit->props, unit->look.Font(), unit->props.caption.c_str(), WindowDpi(unit->hwnd));
  EndPaint(unit->hwnd, &ps);
}

bool OnMessage(LabelUnit* unit, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  switch (msg) {
    case WM_ERASEBKGND:
      *result = 1;  // WM_PAINT covers every pixel
      return true;
    case WM_PAINT:
      Paint(unit);
      *result = 0;
      return true;
    case kMsgDisplayScaleChanged:
      unit->look.Rescale(hwnd, static_cast<int>(wp));
      *result = 0;
      return true;
    case WM_GETFONT:  // the font it paints with, as the system's controls answer
      *result = reinterpret_cast<LRESULT>(unit->look.Font());
      return true;
    default:
      return false;
  }
}

// The class's procedure; until the unit is attached (while the window is
// created) the window has the default handling.
constexpr WNDPROC kLabelProc = UnitProc<LabelUnit, OnMessage>;

UnitObject* Create(const UnitCreation& c) {
  if (!RegisterUnitClass(kLabelClass, CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, kLabelProc)) return nullptr;
  LabelUnit* unit = CreateChildUnit<LabelUnit>(c, DecodeLabelProps, [](const LabelProps& p) {
    ChildWindow window{.className = kLabelClass, .text = p.caption.c_str()};
    AddBorderStyle(p.border, window.style, window.exStyle);
    return window;
  }, kLabelProc);
  if (unit) unit->look.Show(unit->hwnd, WindowDpi(c.parent));
  return unit;
}

uint32_t* ColorSlot(LabelProps& p, int property) {
  switch (property) {
    case kLabelBorderColor1: return &p.borderColors[0];
    case kLabelBorderColor2: return &p.borderColors[1];
    case kLabelBorderColor3: return &p.borderColors[2];
    case kLabelGradientColor1: return &p.gradientColors[0];
    case kLabelGradientColor2: return &p.gradientColors[1];
    case kLabelGradientColor3: return &p.gradientColors[2];
    default: return nullptr;
  }
}

uint32_t* WordSlot(LabelProps& p, int property) {
  switch (property) {
    case kLabelEffect: return &p.textEffect;
    case kLabelPictureMode: return &p.pictureMode;
    case kLabelGradientMode: return &p.gradientMode;
    case kLabelHAlign: return &p.hAlign;
    case kLabelWordWrap: return &p.wordWrap;
    case kLabelVAlign: return &p.vAlign;
    default: return ColorSlot(p, property);
  }
}

int SetProperty(LabelUnit& unit, int property, const PropValue& v) {
  LabelProps& p = unit.props;
  const HWND hwnd = unit.hwnd;
  switch (property) {
    case kLabelCaption:
      p.caption = v.text;
      SetWindowTextGbk(hwnd, p.caption.c_str());
      break;
    case kLabelBorder: {
      p.border = v.u32;
      SetBorderStyle(hwnd, p.border);
      break;
    }
    case kLabelGradientBorderWidth:
      p.gradientBorderWidth = AtLeastMinimumFrameWidth(v.u32);
      break;
    case kLabelPicture: p.picture.assign(v.data, v.data + v.length); break;
    case kLabelDataSource: p.text27 = v.text; return 0;
    case kLabelDataColumn: p.text28 = v.text; return 0;
    default:
      if (uint32_t* slot = WordSlot(p, property)) *slot = v.u32;
      else return 0;
      break;
  }
  InvalidateRect(hwnd, nullptr, TRUE);
  return 0;
}

bool GetProperty(LabelUnit& unit, int property, PropValue* v) {
  LabelProps& p = unit.props;
  switch (property) {
    case kLabelCaption: v->text = p.caption.c_str(); return true;
    case kLabelBorder: v->u32 = p.border; return true;
    case kLabelGradientBorderWidth: v->u32 = p.gradientBorderWidth; return true;
    case kLabelPicture: v->data = p.picture.data(), v->length = static_cast<int32_t>(p.picture.size()); return true;
    case kLabelDataSource: v->text = p.text27.c_str(); return true;
    case kLabelDataColumn: v->text = p.text28.c_str(); return true;
    default:
      if (uint32_t* slot = WordSlot(p, property)) {
        v->u32 = *slot;
        return true;
      }
      return false;
  }
}

constexpr UnitOperations kOperations =
    TypedOperations<LabelUnit, Create, SetProperty, GetProperty>();

constexpr PropertyInfo kLabelProperties[] = {
    TypeProperty("标题", "Caption", kPropText),
    TypeProperty("效果", "Effect", kPropPickList, "无\0凸出\0凹入\0阴影\0"),
    TypeProperty("边框", "Border", kPropPickList,
                 "无边框\0凹入式\0凸出式\0浅凹入式\0镜框式\0单线边框式\0渐变边框\0"),
    TypeProperty("渐变边框宽度", "GradientBorderWidth", kPropInt),
    TypeProperty("渐变边框颜色1", "GradientBorderColor1", kPropColorOrTransparent),
    TypeProperty("渐变边框颜色2", "GradientBorderColor2", kPropColorOrTransparent),
    TypeProperty("渐变边框颜色3", "GradientBorderColor3", kPropColorOrTransparent),
    TypeProperty("底图", "Picture", kPropPicture),
    TypeProperty("底图方式", "PictureMode", kPropPickList, "图片居左上\0图片平铺\0图片居中\0缩放图片\0"),
    TypeProperty("渐变背景方式", "GradientMode", kPropPickList, "无\0从左到右\0从上到下\0"),
    TypeProperty("渐变背景颜色1", "GradientColor1", kPropColorOrTransparent),
    TypeProperty("渐变背景颜色2", "GradientColor2", kPropColorOrTransparent),
    TypeProperty("渐变背景颜色3", "GradientColor3", kPropColorOrTransparent),
    kHAlignProperty,
    TypeProperty("是否自动折行", "WordWrap", kPropBool),
    kVAlignProperty,
    kDataSourceProperty,
    kDataColumnProperty,
};
static_assert(kPropertyTable<kLabelProperties, kLook>.size() == kLabelDataColumn + 1);

}  // namespace

const UnitTypeInfo& LabelUnitType() {
  static constexpr UnitTypeInfo kType = UnitType<kOperations, kLabelProperties, kLook>(
      "标签", "Label",
      kTypeFlagUnitType | kTypeFlagDragsWindow | kTypeFlagNoTab | kTypeFlagMnemonicFocus | kTypeFlagEvents);
  return kType;
}
