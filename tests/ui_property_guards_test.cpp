// Property writes that must not leak, read out of bounds or store what the
// unit cannot show: the cursor of a window that is not loaded, malformed
// byte sets, the label's frame width and the combo box's colour on a style
// write.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "runtime/heap.h"
#include "tests/ui_test_support.h"
#include "ui/combo/combo_unit.h"
#include "ui/framework/host.h"
#include "ui/framework/properties.h"
#include "ui/framework/window_list.h"
#include "ui/label/label_unit.h"
#include "ui/template/combo_blob.h"
#include "ui/template/label_blob.h"
#include "ui/template/window_blob.h"

namespace {

constexpr uint32_t kWin = 0x52000001, kOwn = 0x06000001, kLabel = 0x16000002,
                   kCombo = 0x16000003;
constexpr uint32_t kButtonFace = 0xFF000000, kWhite = 0xFFFFFF;

std::vector<TestUnit> LabelAndCombo(const LabelProps& label = {}, const ComboProps& combo = {}) {
  return {
      {.id = kOwn, .type = kWindowType, .left = 60, .top = 60, .width = 260, .height = 200,
       .flags = 1, .blob = EncodeWindowProps(WindowProps{.startPosition = 0, .title = "属性"})},
      {.id = kLabel, .type = kLabelType, .name = "标签1", .left = 10, .top = 10, .width = 80,
       .height = 20, .flags = 1, .blob = EncodeLabelProps(label)},
      {.id = kCombo, .type = kComboType, .name = "组合框1", .left = 10, .top = 40, .width = 80,
       .height = 20, .flags = 5, .blob = EncodeComboProps(combo)},
  };
}

class PropertyGuards : public ::testing::Test {
 protected:
  void TearDown() override { StopRuntime(); }
  void Start(const std::vector<TestUnit>& units = LabelAndCombo()) {
    ASSERT_TRUE(StartRuntime(BuildTemplate(kWin, units)));
  }
  void Load(const std::vector<TestUnit>& units = LabelAndCombo()) {
    ASSERT_NO_FATAL_FAILURE(Start(units));
    ASSERT_TRUE(UnitFrameworkHost().loadWindow(kWin, false, nullptr));
    PumpMessages();
  }
  static UnitRecord* Record(uint32_t unit) { return FindLoadedWindow(kWin)->Record(unit); }
  // Writes the cursor property from a block laid out as an RtArray.
  static void WriteCursor(const void* block) { WriteProperty(kWin, kLabel, kCommonCursor, -1, ValueOf(block)); }
  static uint32_t StoredCursorId(const UnitRecord& rec) {
    uint32_t id = 0;
    if (rec.cursorData.size() >= 4) memcpy(&id, rec.cursorData.data(), 4);
    return id;
  }
};

TEST_F(PropertyGuards, ACursorWrittenBeforeTheLoadIsLoadedOnlyByIt) {
  ASSERT_NO_FATAL_FAILURE(Start());
  const uint8_t hand[4] = {16, 0, 0, 0};  // the program's hand cursor
  RtArray* bytes = RtNewBytes(hand, 4);
  WriteCursor(bytes);
  RtFree(bytes);
  UnitRecord* rec = Record(kLabel);
  EXPECT_EQ(StoredCursorId(*rec), 32649u);
  // Nothing is loaded for a unit that is not there: the load would replace
  // that handle and nothing would ever destroy it.
  EXPECT_EQ(rec->cursor, nullptr);

  ASSERT_TRUE(UnitFrameworkHost().loadWindow(kWin, false, nullptr));
  EXPECT_NE(rec->cursor, nullptr) << "the load takes the written cursor";
  EXPECT_EQ(StoredCursorId(*rec), 32649u);
}

TEST_F(PropertyGuards, MalformedCursorBlocksStoreNothingTheyDoNotHold) {
  ASSERT_NO_FATAL_FAILURE(Load());
  struct Case {
    const char* what;
    int32_t block[4];
    size_t stored;  // bytes kept as the cursor data
  } cases[] = {
      {"negative count", {1, -5, 0, 0}, 0},
      {"no dimension", {0, 0, 0, 0}, 0},
      {"negative dimension count", {-2, 4, 0, 0}, 0},
      {"four bytes", {1, 4, 32512, 0}, 4},
  };
  for (const auto& c : cases) {
    WriteCursor(c.block);
    UnitRecord* rec = Record(kLabel);
    EXPECT_EQ(rec->cursorData.size(), c.stored) << c.what;
  }
}

TEST_F(PropertyGuards, LabelFrameWidthIsAtLeastFive) {
  LabelProps fromBlob;
  fromBlob.gradientBorderWidth = static_cast<uint32_t>(-3);
  ASSERT_NO_FATAL_FAILURE(Load(LabelAndCombo(fromBlob)));
  EXPECT_EQ(ReadInt(kWin, kLabel, kLabelGradientBorderWidth), 5) << "from the template";
  const struct {
    int32_t written, stored;
  } cases[] = {{-3, 5}, {INT32_MIN, 5}, {0, 5}, {4, 5}, {5, 5}, {12, 12}, {-1, 5}};
  for (const auto& c : cases) {
    WriteInt(kWin, kLabel, kLabelGradientBorderWidth, c.written);
    EXPECT_EQ(ReadInt(kWin, kLabel, kLabelGradientBorderWidth), c.stored) << c.written;
  }
}

TEST_F(PropertyGuards, ComboColourFollowsOnlyAChangeOfStyle) {
  ASSERT_NO_FATAL_FAILURE(Load());
  const struct {
    const char* what;
    uint32_t colourBefore;
    int32_t style;
    uint32_t colourAfter;
  } cases[] = {
      // From the drop-down (style 1 by default).
      {"same drop-down style keeps the button face", kButtonFace, 1, kButtonFace},
      {"simple style gives white back the button face", kWhite, 0, kButtonFace},
      {"same simple style keeps white", kWhite, 0, kWhite},
      {"a drop-down list turns the button face white", kButtonFace, 2, kWhite},
      {"same drop-down list style keeps the button face", kButtonFace, 2, kButtonFace},
      {"another colour stays", 0x123456, 0, 0x123456},
  };
  for (const auto& c : cases) {
    WriteInt(kWin, kCombo, kComboBackColor, static_cast<int32_t>(c.colourBefore));
    WriteInt(kWin, kCombo, kComboStyle, c.style);
    EXPECT_EQ(static_cast<uint32_t>(ReadInt(kWin, kCombo, kComboBackColor)), c.colourAfter) << c.what;
    EXPECT_EQ(ReadInt(kWin, kCombo, kComboStyle), c.style) << c.what;
  }
}

}  // namespace
