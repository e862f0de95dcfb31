// Property blobs of the basic unit types and the common dialog: defaults,
// versions, the counted text and text list forms, and writer/decoder
// agreement.
#include <gtest/gtest.h>

#include "app/main_window_template.h"
#include "tests/listview_program_block.h"
#include "ui/template/button_blob.h"
#include "ui/template/byte_reader.h"
#include "ui/template/combo_blob.h"
#include "ui/template/common_dialog_blob.h"
#include "ui/template/edit_blob.h"
#include "ui/template/label_blob.h"
#include "ui/template/window_blob.h"
#include "ui/template/window_template.h"

namespace {

std::vector<uint8_t> ByteList(std::initializer_list<uint8_t> b) { return b; }

// Every proper prefix of a valid blob (except the empty one, which means
// defaults) must fail to decode.
template <class Props, class Decode>
void ExpectPrefixesFail(const std::vector<uint8_t>& blob, Decode decode) {
  for (size_t n = 1; n < blob.size(); ++n) {
    Props p;
    std::vector<uint8_t> prefix(blob.begin(), blob.begin() + n);
    EXPECT_FALSE(decode(prefix, p)) << "prefix " << n << " of " << blob.size();
  }
}

}  // namespace

TEST(Blobs, EmptyBlobsTakeTheDefaults) {
  WindowProps w;
  w.borderStyle = 99;
  ASSERT_TRUE(DecodeWindowProps({}, w));
  EXPECT_EQ(w.borderStyle, 2u);
  EXPECT_EQ(w.startPosition, 1u);
  EXPECT_EQ(w.escapeCloses, 1u);
  EXPECT_EQ(w.backColor, 0xFF000000u);
  EXPECT_EQ(w.title, "");

  LabelProps l;
  ASSERT_TRUE(DecodeLabelProps({}, l));
  EXPECT_EQ(l.caption, "标签");
  EXPECT_EQ(l.gradientBorderWidth, 8u);
  EXPECT_EQ(l.vAlign, 1u);

  EditProps e;
  ASSERT_TRUE(DecodeEditProps({}, e));
  EXPECT_EQ(e.border, 1u);
  EXPECT_EQ(e.passwordChar, '*');
  EXPECT_EQ(e.adjusterUpper, 100u);

  ButtonProps b;
  ASSERT_TRUE(DecodeButtonProps({}, b));
  EXPECT_EQ(b.caption, "按钮");
  EXPECT_EQ(b.hAlign, 1u);

  ComboProps c;
  ASSERT_TRUE(DecodeComboProps({}, c));
  EXPECT_EQ(c.style, 1u);
  EXPECT_EQ(c.selection, -1);
  EXPECT_EQ(c.extraItemHeight, 1u);
  EXPECT_TRUE(c.items.empty());
}

// A blob that holds only the version and then enough zero words for any
// layout of that type.
template <class Props>
bool DecodesWithVersion(uint32_t version, bool (*decode)(std::span<const uint8_t>, Props&)) {
  ByteWriter w;
  w.U32(version);
  for (int i = 0; i < 64; ++i) w.U32(0);
  Props p;
  return decode(w.Bytes(), p);
}

TEST(Blobs, VersionAboveTheHighestFails) {
  struct Case {
    const char* type;
    uint32_t highest;
    bool (*decodes)(uint32_t);
  };
  const Case cases[] = {
      {"window", 6, [](uint32_t v) { return DecodesWithVersion<WindowProps>(v, DecodeWindowProps); }},
      {"label", 2, [](uint32_t v) { return DecodesWithVersion<LabelProps>(v, DecodeLabelProps); }},
      {"edit", 2, [](uint32_t v) { return DecodesWithVersion<EditProps>(v, DecodeEditProps); }},
      {"button", 1, [](uint32_t v) { return DecodesWithVersion<ButtonProps>(v, DecodeButtonProps); }},
      {"combo", 3, [](uint32_t v) { return DecodesWithVersion<ComboProps>(v, DecodeComboProps); }},
  };
  for (const auto& c : cases) {
    EXPECT_TRUE(c.decodes(c.highest)) << c.type;
    EXPECT_FALSE(c.decodes(c.highest + 1)) << c.type;
    EXPECT_FALSE(c.decodes(0xFFFFFFFF)) << c.type;
  }
}

TEST(Blobs, CountedTextEndsAtAnEmbeddedNul) {
  ButtonProps b;
  b.caption = std::string("确定\0后面", 10);
  ButtonProps read;
  ASSERT_TRUE(DecodeButtonProps(EncodeButtonProps(b), read));
  EXPECT_EQ(read.caption, "确定");
}

TEST(Blobs, TextListAcceptsTheLongCount) {
  ByteWriter w;
  const std::vector<std::string> items = {"甲", "", "丙"};
  w.TextList(items, /*longCount=*/true);
  auto bytes = w.Take();
  ASSERT_EQ(bytes[0], 0xFF);
  ASSERT_EQ(bytes[1], 0xFF);
  ByteReader r(bytes);
  std::vector<std::string> read;
  ASSERT_TRUE(r.TextList(read));
  EXPECT_EQ(read, items);
  EXPECT_TRUE(r.AtEnd());

  // The same inside a combo box blob.
  ComboProps c;
  c.items = items;
  ByteWriter blob;
  for (uint32_t v : {3u, 1u, 0u, 0u, 0u, 0u, 1u, 0u, 0xFFFFFFu}) blob.U32(v);
  blob.I32(-1);
  blob.CountedBytes({});
  blob.CountedBytes({});
  blob.CountedText("");
  blob.TextList(items, true);
  blob.CountedText("");
  blob.CountedText("");
  blob.U32(0);
  ComboProps decoded;
  ASSERT_TRUE(DecodeComboProps(blob.Bytes(), decoded));
  EXPECT_EQ(decoded.items, items);
}

TEST(Blobs, TextListCountBeyondTheBytesFails) {
  for (auto bytes : {ByteList({0x05, 0x00, 0, 0, 0, 0}), ByteList({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}),
                     ByteList({0xFF, 0xFF, 0x01})}) {
    ByteReader r(bytes);
    std::vector<std::string> out;
    EXPECT_FALSE(r.TextList(out));
    EXPECT_EQ(r.Position(), 0u);
  }
}

TEST(Blobs, EveryVersionRoundTrips) {
  for (uint32_t v = 0; v <= WindowProps::kHighestVersion; ++v) {
    WindowProps p{.version = v, .borderStyle = 1, .startPosition = 0, .escapeCloses = 0};
    p.ownTaskbarButton = v >= 2 ? 0 : 1;
    p.dragMove = v >= 3 ? 1 : 0;
    p.topmost = v >= 4 ? 1 : 0;
    p.prop30 = v >= 5 ? 7 : 0;
    p.className = v >= 6 ? "MyClass" : "";
    p.icon = {1, 2, 3};
    p.title = "标题";
    p.helpFile = "a.hlp";
    auto blob = EncodeWindowProps(p);
    WindowProps q;
    ASSERT_TRUE(DecodeWindowProps(blob, q)) << v;
    EXPECT_EQ(EncodeWindowProps(q), blob) << v;
    EXPECT_EQ(q.title, "标题");
    EXPECT_EQ(q.className, p.className);
    ExpectPrefixesFail<WindowProps>(blob, DecodeWindowProps);
  }
  for (uint32_t v = 0; v <= LabelProps::kHighestVersion; ++v) {
    LabelProps p{.version = v, .textEffect = 3, .border = 6, .textColor = 0xFF};
    p.caption = "路径：";
    p.text27 = v >= 2 ? "x" : "";
    auto blob = EncodeLabelProps(p);
    LabelProps q;
    ASSERT_TRUE(DecodeLabelProps(blob, q)) << v;
    EXPECT_EQ(EncodeLabelProps(q), blob) << v;
    ExpectPrefixesFail<LabelProps>(blob, DecodeLabelProps);
  }
  for (uint32_t v = 0; v <= EditProps::kHighestVersion; ++v) {
    EditProps p{.version = v, .multiLine = 1, .inputMode = 2, .passwordChar = '#'};
    p.content = "内容";
    auto blob = EncodeEditProps(p);
    EditProps q;
    ASSERT_TRUE(DecodeEditProps(blob, q)) << v;
    EXPECT_EQ(q.passwordChar, '#');
    EXPECT_EQ(EncodeEditProps(q), blob) << v;
    ExpectPrefixesFail<EditProps>(blob, DecodeEditProps);
  }
  {
    ButtonProps p{.defaultButton = 1, .caption = "导出选中项"};
    auto blob = EncodeButtonProps(p);
    ButtonProps q;
    ASSERT_TRUE(DecodeButtonProps(blob, q));
    EXPECT_EQ(EncodeButtonProps(q), blob);
    ExpectPrefixesFail<ButtonProps>(blob, DecodeButtonProps);
  }
  for (uint32_t v = 0; v <= ComboProps::kHighestVersion; ++v) {
    ComboProps p{.version = v, .style = 2, .selection = 2};
    p.items = {"机器名", "MAC", "IP", "无"};
    p.itemData = {1, 0, 0, 0, 2, 0, 0, 0};
    p.text22 = v >= 2 ? "t" : "";
    p.prop24 = v >= 3 ? 5 : 0;
    auto blob = EncodeComboProps(p);
    ComboProps q;
    ASSERT_TRUE(DecodeComboProps(blob, q)) << v;
    EXPECT_EQ(q.items, p.items);
    EXPECT_EQ(EncodeComboProps(q), blob) << v;
    ExpectPrefixesFail<ComboProps>(blob, DecodeComboProps);
  }
}

TEST(Blobs, LabelGradientBorderWidthIsAtLeastFive) {
  LabelProps p{.gradientBorderWidth = 2};
  LabelProps q;
  ASSERT_TRUE(DecodeLabelProps(EncodeLabelProps(p), q));
  EXPECT_EQ(q.gradientBorderWidth, 5u);
}

std::vector<uint8_t> ProgramBlob(uint32_t unitId) {
  std::vector<std::unique_ptr<WindowTemplate>> windows;
  if (!LoadWindowTemplates(MainWindowTemplate(), 0, windows) || windows.empty()) return {};
  const int at = windows[0]->Find(unitId);
  return at < 0 ? std::vector<uint8_t>{} : windows[0]->RecordAt(at)->blob;
}

// The program's save dialog and list view blobs, against bytes written out
// independently of the encoders: 16 words of the dialog (version 1, kind 1,
// the three file checks on), then its seven counted texts.
TEST(Blobs, ProgramDialogAndListBlobsKeepTheirBytes) {
  ByteWriter w;
  for (uint32_t v : {1u, 1u, 0u, 0u, 1u, 1u, 1u}) w.U32(v);
  for (int i = 0; i < 9; ++i) w.U32(0);
  for (const char* t : {"", "computer.txt", "", "", "", "", ""}) w.CountedText(t);
  EXPECT_EQ(ProgramBlob(kSaveDialogId), w.Bytes());
  EXPECT_EQ(ProgramBlob(kMachineListId), ProgramListViewBlock());

  CommonDialogSettings s;
  ASSERT_TRUE(DecodeCommonDialogSettings(w.Bytes(), s));
  EXPECT_EQ(s.kind, kDialogSave);
  EXPECT_EQ(s.fileName, "computer.txt");
  EXPECT_TRUE(s.fileMustExist && s.overwritePrompt && s.pathMustExist);
  EXPECT_FALSE(s.createPrompt || s.noChangeDirectory);
  EXPECT_EQ(EncodeCommonDialogSettings(s), w.Bytes());
  ExpectPrefixesFail<CommonDialogSettings>(w.Bytes(), DecodeCommonDialogSettings);
}

// Values outside their ranges read as a property write would store them,
// and a text length of 0 or less is an empty text there, not a failure.
TEST(Blobs, CommonDialogClampsAndReadsSignedLengths) {
  const CommonDialogSettings out{.kind = 9, .initialFilter = -2, .pointSize = -1, .helpCommand = 8,
                                 .helpContext = -4};
  CommonDialogSettings s;
  ASSERT_TRUE(DecodeCommonDialogSettings(EncodeCommonDialogSettings(out), s));
  EXPECT_EQ(s.kind, 3);
  EXPECT_EQ(s.initialFilter, 0);
  EXPECT_EQ(s.pointSize, 0);
  EXPECT_EQ(s.helpCommand, 5);
  EXPECT_EQ(s.helpContext, -4);

  std::vector<uint8_t> blob = EncodeCommonDialogSettings(CommonDialogSettings{.title = "标题"});
  for (size_t i = 64; i < 68; ++i) blob[i] = 0xFF;  // the title's length: -1
  blob.erase(blob.begin() + 68, blob.begin() + 72);  // its text
  ASSERT_TRUE(DecodeCommonDialogSettings(blob, s));
  EXPECT_EQ(s.title, "");
  ButtonProps b;
  EXPECT_FALSE(DecodeButtonProps(ByteList({1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}), b))
      << "the other blobs read their lengths unsigned";
}
