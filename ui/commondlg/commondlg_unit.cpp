// The common dialog unit's hidden window, its creation and its type
// descriptor.
#include "ui/commondlg/commondlg_unit.h"

#include <cstring>
#include <iterator>

#include "runtime/runtime.h"
#include "ui/framework/unit_operations.h"

namespace {

constexpr char kClassName[] = "_VX_CommonDlg";

// The object sits in the class's one extra window word.
CommonDialogUnit* UnitOf(HWND hwnd) {
  return reinterpret_cast<CommonDialogUnit*>(GetWindowLongPtrA(hwnd, 0));
}

LRESULT CALLBACK CommonDialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case kMsgGetUnitObject:
      return reinterpret_cast<LRESULT>(static_cast<UnitObject*>(UnitOf(hwnd)));
    case WM_NCDESTROY:
      // The unit ends with its window: tell the runtime, then free it.
      if (CommonDialogUnit* unit = UnitOf(hwnd)) {
        SetWindowLongPtrA(hwnd, 0, 0);
        RuntimeNotify(kNotifyDestroyed, unit->windowId, unit->unitId);
        delete unit;
      }
      return 0;
    default:
      break;
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

bool RegisterWindowClass() {
  WNDCLASSA existing;
  if (GetClassInfoA(RtInstance(), kClassName, &existing)) return true;
  WNDCLASSA wc{};
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = &CommonDialogProc;
  wc.cbWndExtra = sizeof(void*);
  wc.hInstance = RtInstance();
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  wc.lpszClassName = kClassName;
  return RegisterClassA(&wc) != 0;
}

}  // namespace

CommonDialogUnit* CommonDialogFromWindow(HWND hwnd) {
  char name[32];
  if (!hwnd || !IsWindow(hwnd) || !GetClassNameA(hwnd, name, sizeof name) || strcmp(name, kClassName) != 0)
    return nullptr;
  return UnitOf(hwnd);
}

CommonDialogUnit* AsCommonDialog(UnitObject* unit) {
  CommonDialogUnit* cd = unit ? CommonDialogFromWindow(unit->hwnd) : nullptr;
  return cd && static_cast<UnitObject*>(cd) == unit ? cd : nullptr;
}

UnitObject* CreateCommonDialog(const uint8_t* blob, int32_t length, uint32_t style, HWND parent,
                               UINT controlId, HMENU menu, int left, int top, int width, int height,
                               uint32_t windowId, uint32_t unitId, int design, int reserved) {
  auto unit = new CommonDialogUnit;
  if (!DecodeCommonDialogSettings(BlobBytes(blob, length), unit->settings) || !RegisterWindowClass()) {
    delete unit;
    return nullptr;
  }
  unit->windowId = windowId;
  unit->unitId = unitId;
  HWND hwnd = CreateWindowExA(0, kClassName, "", style | WS_CHILD | WS_CLIPSIBLINGS, left, top, width,
                              height, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(controlId)),
                              RtInstance(), nullptr);
  if (!hwnd) {
    delete unit;
    return nullptr;
  }
  // Attached only now, so a failed creation never reaches the unit.
  SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(unit));
  unit->hwnd = hwnd;
  return unit;
}

namespace {

constexpr uint16_t kCommon = 0xE000;
constexpr uint16_t kOwn = 0x8000;

const PropertyInfo kProperties[] = {
    {"左边", "Left", nullptr, kPropInt, kCommon, nullptr},
    {"顶边", "Top", nullptr, kPropInt, kCommon, nullptr},
    {"宽度", "Width", nullptr, kPropInt, kCommon, nullptr},
    {"高度", "Height", nullptr, kPropInt, kCommon, nullptr},
    {"标记", "Tag", nullptr, kPropText, kCommon, nullptr},
    {"可视", "Visible", nullptr, kPropBool, kCommon, nullptr},
    {"禁止", "Disable", nullptr, kPropBool, kCommon, nullptr},
    {"鼠标指针", "MousePointer", nullptr, kPropCursor, kCommon, nullptr},
    {"类型", "Kind", nullptr, kPropPickList, kOwn, nullptr},
    {"标题", "Title", nullptr, kPropText, kOwn, nullptr},
    {"文件名", "FileName", nullptr, kPropText, kOwn, nullptr},
    {"过滤器", "Filter", nullptr, kPropText, kOwn, nullptr},
    {"初始过滤器", "FilterIndex", nullptr, kPropInt, kOwn, nullptr},
    {"初始目录", "InitialDir", nullptr, kPropText, kOwn, nullptr},
    {"默认文件后缀", "DefaultExt", nullptr, kPropText, kOwn, nullptr},
    {"询问创建文件", "CreatePrompt", nullptr, kPropBool, kOwn, nullptr},
    {"文件必须存在", "FileMustExist", nullptr, kPropBool, kOwn, nullptr},
    {"提示文件覆盖", "OverwritePrompt", nullptr, kPropBool, kOwn, nullptr},
    {"目录必须存在", "PathMustExist", nullptr, kPropBool, kOwn, nullptr},
    {"不改变目录", "NoChangeDir", nullptr, kPropBool, kOwn, nullptr},
    {"颜色", "Color", nullptr, kPropColor, kOwn, nullptr},
    {"粗体", "Bold", nullptr, kPropBool, kOwn, nullptr},
    {"斜体", "Italic", nullptr, kPropBool, kOwn, nullptr},
    {"删除线", "StrikeOut", nullptr, kPropBool, kOwn, nullptr},
    {"下划线", "Underline", nullptr, kPropBool, kOwn, nullptr},
    {"字体名称", "FaceName", nullptr, kPropText, kOwn, nullptr},
    {"字体尺寸", "FontSize", nullptr, kPropInt, kOwn, nullptr},
    {"帮助文件名", "HelpFile", nullptr, kPropText, kOwn, nullptr},
    {"帮助命令", "HelpCommand", nullptr, kPropPickList, kOwn, nullptr},
    {"帮助主题值", "HelpContext", nullptr, kPropInt, kOwn, nullptr},
};
static_assert(std::size(kProperties) == 30);

constexpr UnitOperations kOperations = {
    .create = CreateCommonDialog, .setProperty = SetCommonDialogProperty,
    .getAllProperties = GetAllCommonDialogProperties, .getProperty = GetCommonDialogProperty,
};

}  // namespace

const UnitTypeInfo& CommonDialogUnitType() {
  static const UnitTypeInfo info = {
      "通用对话框", "CommonDlg", nullptr, 0, nullptr, 0x80008040, 0, 0, nullptr,
      static_cast<int32_t>(std::size(kProperties)), kProperties, &LookupIn<kOperations>, 0, nullptr,
  };
  return info;
}
