// The common dialog unit's hidden window, its creation and its type
// descriptor.
#include "ui/commondlg/commondlg_unit.h"

#include "ui/framework/property_table.h"
#include "ui/framework/unit_control.h"
#include "ui/framework/unit_operations.h"

namespace {

constexpr char kClassName[] = "_VX_CommonDlg";

// Nothing but the shared messages: the unit ends with its window.
bool OnMessage(CommonDialogUnit*, HWND, UINT, WPARAM, LPARAM, LRESULT*) { return false; }
constexpr WNDPROC kDialogProc = UnitProc<CommonDialogUnit, OnMessage>;

}  // namespace

CommonDialogUnit* CommonDialogFromWindow(HWND hwnd) { return LiveUnits<CommonDialogUnit>().Find(hwnd); }

CommonDialogUnit* AsCommonDialog(UnitObject* unit) { return LiveUnits<CommonDialogUnit>().As(unit); }

UnitObject* CreateCommonDialog(const UnitCreation& c) {
  auto unit = std::make_unique<CommonDialogUnit>();
  if (!DecodeCommonDialogSettings(c.blob, unit->settings)) return nullptr;
  if (!RegisterUnitClass(kClassName, CS_DBLCLKS, kDialogProc)) return nullptr;
  unit->windowId = c.windowId;
  unit->unitId = c.unitId;
  HWND hwnd = CreateChildWindow(c, {.className = kClassName});
  if (!hwnd) return nullptr;
  return AttachUnit(std::move(unit), hwnd, kDialogProc);
}

namespace {

constexpr PropertyInfo kDialogProperties[] = {
    TypeProperty("类型", "Kind", kPropPickList),
    TypeProperty("标题", "Title", kPropText),
    TypeProperty("文件名", "FileName", kPropText),
    TypeProperty("过滤器", "Filter", kPropText),
    TypeProperty("初始过滤器", "FilterIndex", kPropInt),
    TypeProperty("初始目录", "InitialDir", kPropText),
    TypeProperty("默认文件后缀", "DefaultExt", kPropText),
    TypeProperty("询问创建文件", "CreatePrompt", kPropBool),
    TypeProperty("文件必须存在", "FileMustExist", kPropBool),
    TypeProperty("提示文件覆盖", "OverwritePrompt", kPropBool),
    TypeProperty("目录必须存在", "PathMustExist", kPropBool),
    TypeProperty("不改变目录", "NoChangeDir", kPropBool),
    TypeProperty("颜色", "Color", kPropColor),
    TypeProperty("粗体", "Bold", kPropBool),
    TypeProperty("斜体", "Italic", kPropBool),
    TypeProperty("删除线", "StrikeOut", kPropBool),
    TypeProperty("下划线", "Underline", kPropBool),
    TypeProperty("字体名称", "FaceName", kPropText),
    TypeProperty("字体尺寸", "FontSize", kPropInt),
    TypeProperty("帮助文件名", "HelpFile", kPropText),
    TypeProperty("帮助命令", "HelpCommand", kPropPickList),
    TypeProperty("帮助主题值", "HelpContext", kPropInt),
};
static_assert(kPropertyTable<kDialogProperties>.size() == kDialogHelpContext + 1);

constexpr UnitOperations kOperations = {
    .create = CreateCommonDialog, .setProperty = SetCommonDialogProperty,
    .getAllProperties = GetAllCommonDialogProperties, .getProperty = GetCommonDialogProperty,
};

}  // namespace

const UnitTypeInfo& CommonDialogUnitType() {
  static constexpr UnitTypeInfo kType = UnitType<kOperations, kDialogProperties>(
      "通用对话框", "CommonDlg", kTypeFlagUnitType | kTypeFlagNoWindow | kTypeFlagEvents);
  return kType;
}
