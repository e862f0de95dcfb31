// The contents of the program's one window: its own record and twelve
// units in template order, with every property that differs from the unit
// types' defaults. The bytes are produced by the template writer at compile
// time, so the declaration below is the only source of the template.
// Units whose properties are all their type's defaults (the open dialog and
// the path edit box) carry an empty blob.
#include "app/main_window_template.h"

#include "app/handler_table.h"
#include "ui/button/button_unit.h"
#include "ui/combo/combo_unit.h"
#include "ui/commondlg/commondlg_unit.h"
#include "ui/edit/edit_unit.h"
#include "ui/label/label_unit.h"
#include "ui/listview/listview_unit.h"
#include "ui/template/button_blob.h"
#include "ui/template/combo_blob.h"
#include "ui/template/common_dialog_blob.h"
#include "ui/template/freeze.h"
#include "ui/template/label_blob.h"
#include "ui/template/listview_blob.h"
#include "ui/template/window_blob.h"
#include "ui/window/window_unit.h"

namespace {

// Record flags.
constexpr uint32_t kShown = 1;
constexpr uint32_t kShownTabStop = 1 | 4;
constexpr uint32_t kHidden = 0;

constexpr auto kWindowBlob = Freeze<[] {
  return EncodeWindowProps(WindowProps{.title = "机器列表导出工具"});
}>();

// The three field-order drop-downs: item n stands for list column n, "无" for none.
constexpr auto kFieldComboBlob = Freeze<[] {
  return EncodeComboProps(ComboProps{.style = 1, .items = {"机器名", "MAC", "IP", "无"}});
}>();

constexpr auto kSaveDialogBlob = Freeze<[] {
  return EncodeCommonDialogSettings(CommonDialogSettings{.kind = kDialogSave, .fileName = "computer.txt"});
}>();

constexpr auto kEmptyLabelBlob = Freeze<[] { return EncodeLabelProps(LabelProps{.caption = ""}); }>();
constexpr auto kPathLabelBlob = Freeze<[] { return EncodeLabelProps(LabelProps{.caption = "路径："}); }>();

constexpr auto kExportButtonBlob = Freeze<[] {
  return EncodeButtonProps(ButtonProps{.caption = "导出选中项"});
}>();
constexpr auto kBrowseButtonBlob = Freeze<[] { return EncodeButtonProps(ButtonProps{.caption = "..."}); }>();

constexpr auto kMachineListBlob = Freeze<[] {
  return EncodeListViewData(ListViewData{
      .view = 3,
      .sortableHeader = false,
      .fullRowSelect = true,
      .singleSelection = false,
      .columns = EncodeColumnList({{.width = 110, .title = "机器名"},
                                   {.width = 118, .title = "MAC"},
                                   {.width = 128, .title = "IP"}}),
  });
}>();
static_assert(kMachineListBlob.size() == 177, "the list view's data block is 177 bytes");

constexpr BindingDecl kWindowEvents[] = {{kWindowCreated, kOnMainWindowCreatedOffset}};
constexpr BindingDecl kListEvents[] = {{kLvEventClick, kOnListClickedOffset}, {kEventKeyDown, kOnListKeyDownOffset}};
constexpr BindingDecl kExportEvents[] = {{kButtonClicked, kOnExportClickedOffset}};
constexpr BindingDecl kBrowseEvents[] = {{kButtonClicked, kOnBrowseClickedOffset}};

constexpr RecordDecl kRecords[] = {
    {.id = kMainWindowRecordId, .type = kWindowTypeCode, .name = "",
     .left = 50, .top = 50, .width = 396, .height = 501, .flags = kShown,
     .bindings = kWindowEvents, .blob = kWindowBlob},
    {.id = kCombo3Id, .type = kComboBoxTypeCode, .name = "组合框3",
     .left = 320, .top = 405, .width = 60, .height = 20, .flags = kShownTabStop,
     .blob = kFieldComboBlob},
    {.id = kCombo2Id, .type = kComboBoxTypeCode, .name = "组合框2",
     .left = 248, .top = 405, .width = 60, .height = 20, .flags = kShownTabStop,
     .blob = kFieldComboBlob},
    {.id = kCombo1Id, .type = kComboBoxTypeCode, .name = "组合框1",
     .left = 176, .top = 405, .width = 60, .height = 20, .flags = kShownTabStop,
     .blob = kFieldComboBlob},
    {.id = kSaveDialogId, .type = kCommonDialogTypeCode, .name = "通用对话框2",
     .left = 48, .top = 403, .width = 26, .height = 26, .flags = kHidden,
     .blob = kSaveDialogBlob},
    {.id = kSelectedLabelId, .type = kLabelTypeCode, .name = "标签3",
     .left = 76, .top = 433, .width = 60, .height = 24, .flags = kShown,
     .blob = kEmptyLabelBlob},
    {.id = kTotalLabelId, .type = kLabelTypeCode, .name = "标签2",
     .left = 16, .top = 433, .width = 60, .height = 24, .flags = kShown,
     .blob = kEmptyLabelBlob},
    {.id = kMachineListId, .type = kListViewTypeCode, .name = "超级列表框1",
     .left = 16, .top = 56, .width = 360, .height = 336, .flags = kShownTabStop,
     .bindings = kListEvents, .blob = kMachineListBlob},
    {.id = kOpenDialogId, .type = kCommonDialogTypeCode, .name = "通用对话框1",
     .left = 16, .top = 402, .width = 26, .height = 26, .flags = kHidden},
    {.id = kExportButtonId, .type = kButtonTypeCode, .name = "按钮2",
     .left = 296, .top = 432, .width = 80, .height = 32, .flags = kShownTabStop,
     .bindings = kExportEvents, .blob = kExportButtonBlob},
    {.id = kBrowseButtonId, .type = kButtonTypeCode, .name = "按钮1",
     .left = 335, .top = 16, .width = 30, .height = 20, .flags = kShownTabStop,
     .bindings = kBrowseEvents, .blob = kBrowseButtonBlob},
    {.id = kPathEditId, .type = kEditBoxTypeCode, .name = "编辑框1",
     .left = 64, .top = 17, .width = 272, .height = 20, .flags = kShownTabStop},
    {.id = kPathLabelId, .type = kLabelTypeCode, .name = "标签1",
     .left = 24, .top = 16, .width = 40, .height = 24, .flags = kShown,
     .blob = kPathLabelBlob},
};

constexpr WindowDecl kMainWindow = {
    .id = kMainWindowId, .wordA = 0x008675D8, .wordB = 0x19010002, .records = kRecords};

constexpr auto kTemplate = Freeze<[] { return WriteTemplate({&kMainWindow, 1}); }>();
static_assert(kTemplate.size() == 2678);

}  // namespace

std::span<const uint8_t> MainWindowTemplate() { return kTemplate; }
const WindowDecl& MainWindowDeclaration() { return kMainWindow; }
