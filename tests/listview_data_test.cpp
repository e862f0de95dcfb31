// ListViewData decoding and encoding against hand-made blocks.
#include <gtest/gtest.h>

#include "listview_program_block.h"
#include "ui/template/listview_blob.h"

namespace {

TEST(ListViewData, ProgramBlockDecodesToItsFields) {
  Bytes block = ProgramListViewBlock();
  ASSERT_EQ(block.size(), static_cast<size_t>(model::kListViewBlobBytes));
  ListViewData d;
  ASSERT_TRUE(DecodeListViewData(block, d));
  EXPECT_EQ(d.view, 3);
  EXPECT_EQ(d.borderStyle, 1);
  EXPECT_EQ(d.textBkColor, 0xFFFFFFu);
  EXPECT_FALSE(d.sortableHeader);
  EXPECT_TRUE(d.fullRowSelect);
  EXPECT_FALSE(d.singleSelection);
  EXPECT_EQ(d.currentItem, -1);
  EXPECT_TRUE(d.font.empty());
  auto columns = DecodeColumnList(d.columns);
  ASSERT_EQ(columns.size(), static_cast<size_t>(model::kFieldCount));
  EXPECT_EQ(columns[model::kNameField].title, model::kFields[model::kNameField].title);
  EXPECT_EQ(columns[model::kMacField].width, model::kFields[model::kMacField].width);
  EXPECT_EQ(columns[model::kIpField].image, -1);
  // Write-back gives the same bytes.
  EXPECT_EQ(EncodeListViewData(d), block);
}

TEST(ListViewData, MalformedAndEdgeBlocks) {
  Bytes program = ProgramListViewBlock();
  Bytes version0 = program;
  version0[0] = 0;
  Bytes version2 = program;
  version2[0] = 2;
  Bytes cutInWords(program.begin(), program.begin() + 50);
  Bytes cutInColumns(program.begin(), program.end() - 10);
  // The item block (the last word) claims more bytes than follow.
  const size_t items = program.size() - 4;
  Bytes longCount = program;
  longCount[items] = 0x40;
  // A negative count is an empty block.
  Bytes negativeCount = program;
  for (size_t i = items; i < program.size(); i++) negativeCount[i] = 0xFF;
  struct Case {
    const char* name;
    Bytes block;
    bool accepted;
  } cases[] = {
      {"empty", {}, true},
      {"version 0", version0, true},
      {"version 2", version2, false},
      {"three bytes", Bytes{1, 0, 0}, false},
      {"cut in the words", cutInWords, false},
      {"cut in the columns", cutInColumns, false},
      {"count beyond the end", longCount, false},
      {"negative count", negativeCount, true},
  };
  for (const Case& c : cases) {
    ListViewData d;
    d.view = 99;
    EXPECT_EQ(DecodeListViewData(c.block, d), c.accepted) << c.name;
    if (!c.accepted) {
      EXPECT_EQ(d.view, 0) << c.name << ": a refused block leaves the defaults";
    }
  }
}

TEST(ListViewData, ListsDropATruncatedLastEntry) {
  std::vector<ListViewItemEntry> items = {
      {0, 1, -1, 0, 7, "名称", "提示"},
      {1, -1, -1, 0, 0, "子项", ""},
  };
  Bytes block = EncodeItemList(items);
  auto back = DecodeItemList(block);
  ASSERT_EQ(back.size(), 2u);
  EXPECT_EQ(back[0].data, 7);
  EXPECT_EQ(back[0].tip, "提示");
  EXPECT_EQ(back[1].kind, 1);
  EXPECT_EQ(back[1].text, "子项");

  block.pop_back();  // the last tip loses its NUL
  EXPECT_EQ(DecodeItemList(block).size(), 1u);

  Bytes columns = EncodeColumnList({{true, 2, 1, 50, "甲"}, {false, -1, 2, 60, "乙"}});
  columns.resize(columns.size() - 3);
  auto cols = DecodeColumnList(columns);
  ASSERT_EQ(cols.size(), 1u);
  EXPECT_TRUE(cols[0].imageOnRight);
  EXPECT_EQ(cols[0].align, 1);
}

}  // namespace
