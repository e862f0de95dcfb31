// The model that the end-to-end tests, the tool sessions, the demo and the
// bench compare the tool against (tools/model), checked once against the
// program itself: its field table and its window template. Every other
// test may then take its expectations from the model alone.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/machine_fields.h"
#include "app/main_window_template.h"
#include "tools/model/tool_model.h"
#include "ui/template/button_blob.h"
#include "ui/template/combo_blob.h"
#include "ui/template/common_dialog_blob.h"
#include "ui/template/label_blob.h"
#include "ui/template/listview_blob.h"
#include "ui/template/window_blob.h"

namespace {

const RecordDecl& RecordOf(uint32_t unitId) {
  for (const RecordDecl& r : MainWindowDeclaration().records)
    if (r.id == unitId) return r;
  ADD_FAILURE() << "no unit " << std::hex << unitId;
  return MainWindowDeclaration().records[0];
}

TEST(ToolModel, FieldsAreTheProgramsFieldTable) {
  ASSERT_EQ(model::kFieldCount, kMachineFieldCount);
  for (int k = 0; k < kMachineFieldCount; k++) {
    SCOPED_TRACE(k);
    EXPECT_STREQ(model::kFields[k].column, kMachineFields[k].dbName);
    EXPECT_STREQ(model::kFields[k].title, kMachineFields[k].title);
    EXPECT_EQ(model::kFields[k].width, kMachineFields[k].columnWidth);
    EXPECT_EQ(model::kFields[k].kind == model::FieldKind::kIpv4, kMachineFields[k].format == FieldFormat::kIpv4);
  }
  EXPECT_STREQ(model::kNoFieldItem, kNoFieldItem);
}

TEST(ToolModel, TextsColumnsAndItemsAreTheWindowTemplates) {
  EXPECT_EQ(MainWindowTemplate().size(), static_cast<size_t>(model::kTemplateBytes));
  EXPECT_EQ(RecordOf(kMachineListId).blob.size(), static_cast<size_t>(model::kListViewBlobBytes));

  WindowProps window;
  ASSERT_TRUE(DecodeWindowProps(RecordOf(kMainWindowRecordId).blob, window));
  EXPECT_EQ(window.title, model::kTitle);
  LabelProps pathLabel;
  ASSERT_TRUE(DecodeLabelProps(RecordOf(kPathLabelId).blob, pathLabel));
  EXPECT_EQ(pathLabel.caption, model::kPathLabel);
  ButtonProps browse, exportButton;
  ASSERT_TRUE(DecodeButtonProps(RecordOf(kBrowseButtonId).blob, browse));
  ASSERT_TRUE(DecodeButtonProps(RecordOf(kExportButtonId).blob, exportButton));
  EXPECT_EQ(browse.caption, model::kBrowseCaption);
  EXPECT_EQ(exportButton.caption, model::kExportCaption);
  CommonDialogSettings save;
  ASSERT_TRUE(DecodeCommonDialogSettings(RecordOf(kSaveDialogId).blob, save));
  EXPECT_EQ(save.fileName, model::kSaveFileName);

  ListViewData list;
  ASSERT_TRUE(DecodeListViewData(RecordOf(kMachineListId).blob, list));
  std::vector<ListViewColumn> columns = DecodeColumnList(list.columns);
  ASSERT_EQ(columns.size(), static_cast<size_t>(model::kFieldCount));
  for (int k = 0; k < model::kFieldCount; k++) {
    EXPECT_EQ(columns[k].title, model::kFields[k].title) << k;
    EXPECT_EQ(columns[k].width, model::kFields[k].width) << k;
  }
  for (uint32_t combo : {kCombo1Id, kCombo2Id, kCombo3Id}) {
    ComboProps props;
    ASSERT_TRUE(DecodeComboProps(RecordOf(combo).blob, props)) << std::hex << combo;
    EXPECT_EQ(props.items, model::FieldItems()) << std::hex << combo;
  }
}

}  // namespace
