// Every reader of property bytes that come from a template, fed every
// truncation and thousands of random changes of a full sample. The input
// always ends at a guard page, so a read past its end faults; a reader
// must load the bytes or refuse them, and what it loads must write back
// to bytes that load to the same thing again.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <functional>
#include <iterator>
#include <random>

#include "tests/guarded_bytes.h"
#include "tests/image_list_sample.h"
#include "ui/listview/image_list_block.h"
#include "ui/template/byte_writer.h"
#include "ui/template/button_blob.h"
#include "ui/template/combo_blob.h"
#include "ui/template/common_dialog_blob.h"
#include "ui/template/edit_blob.h"
#include "ui/template/label_blob.h"
#include "ui/template/listview_blob.h"
#include "ui/template/window_blob.h"
#include "ui/window/window_icons.h"

namespace {

using ByteVector = std::vector<uint8_t>;

// Loads the bytes; false when the reader refuses them. On success
// `rewritten` holds what the reader's writer makes of the loaded value.
using LoadFn = std::function<bool(std::span<const uint8_t>, ByteVector* rewritten)>;

struct Reader {
  const char* name;
  ByteVector sample;
  LoadFn load;
  // Entry lists keep their whole entries and never refuse; blobs refuse
  // every proper prefix but the empty one.
  bool refusesPrefixes;
};

template <class Props, class Decode, class Encode>
LoadFn PropsLoader(Decode decode, Encode encode) {
  return [=](std::span<const uint8_t> bytes, ByteVector* rewritten) {
    Props p;
    if (!decode(bytes, p)) return false;
    *rewritten = encode(p);
    return true;
  };
}

ByteVector FontBlock() {
  LOGFONTA f{};
  f.lfHeight = -12;
  strcpy(f.lfFaceName, "宋体");
  const auto* p = reinterpret_cast<const uint8_t*>(&f);
  return ByteVector(p, p + sizeof f);
}

// An .ico file image with one 16 x 16 32-bit picture.
ByteVector IconFile() {
  ByteWriter w;
  constexpr uint32_t kImageBytes = 40 + 16 * 16 * 4 + 16 * 4;
  for (uint16_t v : {0, 1, 1}) w.U16(v);
  w.U8(16), w.U8(16), w.U8(0), w.U8(0);
  w.U16(1), w.U16(32), w.U32(kImageBytes), w.U32(22);
  // BITMAPINFOHEADER: the height counts the colour and the mask rows.
  for (uint32_t v : {40u, 16u, 32u}) w.U32(v);
  w.U16(1), w.U16(32);
  for (int i = 0; i < 6; i++) w.U32(0);
  for (int i = 0; i < 16 * 16; i++) w.U32(0xFF336699);
  for (int i = 0; i < 16; i++) w.U32(0);
  return w.Take();
}

std::vector<Reader> Readers() {
  WindowProps window{.version = 6, .startPosition = 0};
  window.className = "MyClass";
  window.icon = {1, 2, 3, 4};
  window.title = "机器列表导出工具";
  window.helpFile = "a.hlp";
  LabelProps label{.version = 2};
  label.font = FontBlock();
  label.caption = "共:";
  label.text27 = "x";
  label.text28 = "y";
  EditProps edit{.version = 2};
  edit.content = "C:\\Server\\config\\quillnode.db";
  edit.text28 = "z";
  ButtonProps button{.caption = "导出选中项"};
  button.picture = {9, 9};
  ComboProps combo{.version = 3, .selection = 1, .prop24 = 5};
  combo.items = {"机器名", "MAC", "IP", "无"};
  combo.itemData = {1, 0, 0, 0};
  combo.content = "机器名";
  combo.text22 = "a";

  CommonDialogSettings dialog;
  dialog.kind = kDialogSave;
  dialog.title = "导出";
  dialog.fileName = "computer.txt";
  dialog.filter = "*.txt|*.txt";
  dialog.defaultExtension = "txt";
  dialog.helpFile = "h.hlp";

  const std::vector<ListViewColumn> columns = {
      {false, -1, 0, 110, "机器名"}, {true, 2, 1, 118, "MAC"}, {false, -1, 2, 128, "IP"}};
  const std::vector<ListViewItemEntry> items = {
      {0, 1, -1, 0, 7, "名称", "提示"}, {1, -1, -1, 0, 0, "子项", ""}, {0, -1, 0, 2, 9, "二", "t"}};
  ListViewData list{.view = 3, .fullRowSelect = true, .singleSelection = false};
  list.font = FontBlock();
  list.headerImages = {'M', 'I', 'T', 'L', 0, 0, 0, 0, 1, 2};
  list.columns = EncodeColumnList(columns);
  list.items = EncodeItemList(items);

  return {
      {"window", EncodeWindowProps(window),
       PropsLoader<WindowProps>(DecodeWindowProps, [](const WindowProps& p) { return EncodeWindowProps(p); }), true},
      {"label", EncodeLabelProps(label),
       PropsLoader<LabelProps>(DecodeLabelProps, [](const LabelProps& p) { return EncodeLabelProps(p); }), true},
      {"edit", EncodeEditProps(edit),
       PropsLoader<EditProps>(DecodeEditProps, [](const EditProps& p) { return EncodeEditProps(p); }), true},
      {"button", EncodeButtonProps(button),
       PropsLoader<ButtonProps>(DecodeButtonProps, [](const ButtonProps& p) { return EncodeButtonProps(p); }), true},
      {"combo", EncodeComboProps(combo),
       PropsLoader<ComboProps>(DecodeComboProps, [](const ComboProps& p) { return EncodeComboProps(p); }), true},
      {"common dialog", EncodeCommonDialogSettings(dialog),
       PropsLoader<CommonDialogSettings>(DecodeCommonDialogSettings, [](const CommonDialogSettings& s) {
         return EncodeCommonDialogSettings(s);
       }),
       true},
      {"list view data", EncodeListViewData(list),
       PropsLoader<ListViewData>(DecodeListViewData, [](const ListViewData& d) { return EncodeListViewData(d); }),
       true},
      {"column list", EncodeColumnList(columns),
       [](std::span<const uint8_t> b, ByteVector* out) {
         *out = EncodeColumnList(DecodeColumnList(b));
         return true;
       },
       false},
      {"item list", EncodeItemList(items),
       [](std::span<const uint8_t> b, ByteVector* out) {
         *out = EncodeItemList(DecodeItemList(b));
         return true;
       },
       false},
  };
}

// Readers that hand the bytes to the system: they take a copy, so the
// guard page does not watch them; they must not crash.
struct SystemReader {
  const char* name;
  ByteVector sample;
  bool (*load)(const ByteVector&);  // true when it made an object (and freed it)
  // The icon reader checks the directory itself; the system's image list
  // reader accepts a stream whose last mask bytes are missing.
  bool refusesPrefixes;
};

std::vector<SystemReader> SystemReaders() {
  return {
      {"image list block", ImageListBlock(2),
       [](const ByteVector& b) {
         HIMAGELIST list = ReadImageListBlock(b);
         if (list) ImageList_Destroy(list);
         return list != nullptr;
       },
       false},
      {"icon", IconFile(),
       [](const ByteVector& b) {
         HICON icon = IconFromData(b, 16);
         if (icon) DestroyIcon(icon);
         return icon != nullptr;
       },
       true},
  };
}

bool LoadGuarded(const Reader& reader, std::span<const uint8_t> bytes, ByteVector* rewritten) {
  GuardedBytes guarded(bytes);
  return reader.load(guarded.span(), rewritten);
}

// One to three changes: a random byte, a length-like word set to an edge
// value, or the end cut or extended.
ByteVector Mutated(const ByteVector& sample, std::mt19937& random) {
  ByteVector b = sample;
  int changes = 1 + static_cast<int>(random() % 3);
  for (int i = 0; i < changes && !b.empty(); i++) {
    size_t at = random() % b.size();
    switch (random() % 4) {
      case 0: b[at] = static_cast<uint8_t>(random()); break;
      case 1: {
        static const uint32_t kEdges[] = {0, 1, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 0xFFFF, 60};
        uint32_t v = kEdges[random() % std::size(kEdges)];
        for (size_t k = 0; k < 4 && at + k < b.size(); k++) b[at + k] = static_cast<uint8_t>(v >> (8 * k));
        break;
      }
      case 2: b.resize(at); break;
      default: b.insert(b.begin() + static_cast<std::ptrdiff_t>(at), static_cast<uint8_t>(random())); break;
    }
  }
  return b;
}

TEST(UntrustedBlobs, FullSamplesLoadAndWriteBackUnchanged) {
  for (const Reader& r : Readers()) {
    ByteVector rewritten;
    ASSERT_TRUE(LoadGuarded(r, r.sample, &rewritten)) << r.name;
    EXPECT_EQ(rewritten, r.sample) << r.name;
  }
  for (const SystemReader& r : SystemReaders()) EXPECT_TRUE(r.load(r.sample)) << r.name;
}

TEST(UntrustedBlobs, EveryTruncationLoadsOrFailsCleanly) {
  for (const Reader& r : Readers()) {
    for (size_t n = 0; n < r.sample.size(); n++) {
      ByteVector rewritten;
      bool loaded = LoadGuarded(r, std::span(r.sample).first(n), &rewritten);
      if (r.refusesPrefixes) {
        // The empty blob means "all defaults"; any other prefix ends early.
        EXPECT_EQ(loaded, n == 0) << r.name << ": prefix of " << n << " bytes";
      } else {
        // A list keeps the entries that are whole, and nothing else.
        ASSERT_TRUE(loaded);
        ASSERT_LE(rewritten.size(), n) << r.name;
        EXPECT_TRUE(std::equal(rewritten.begin(), rewritten.end(), r.sample.begin())) << r.name << " " << n;
      }
    }
  }
  for (const SystemReader& r : SystemReaders()) {
    for (size_t n = 0; n < r.sample.size(); n++) {
      bool loaded = r.load(ByteVector(r.sample.begin(), r.sample.begin() + static_cast<std::ptrdiff_t>(n)));
      if (r.refusesPrefixes) {
        EXPECT_FALSE(loaded) << r.name << ": prefix of " << n << " bytes";
      }
    }
  }
}

TEST(UntrustedBlobs, RandomChangesLoadOrFailCleanly) {
  std::mt19937 random(20261208);  // fixed: the same inputs on every run
  for (const Reader& r : Readers()) {
    int loaded = 0, refused = 0;
    for (int i = 0; i < 3000; i++) {
      ByteVector bytes = Mutated(r.sample, random);
      ByteVector rewritten;
      if (!LoadGuarded(r, bytes, &rewritten)) {
        ++refused;
        continue;
      }
      ++loaded;
      // What was loaded is a value the reader can read again unchanged.
      ByteVector again;
      ASSERT_TRUE(LoadGuarded(r, rewritten, &again)) << r.name << " case " << i;
      EXPECT_EQ(again, rewritten) << r.name << " case " << i;
    }
    printf("%-16s loaded %4d, refused %4d\n", r.name, loaded, refused);
    EXPECT_GT(loaded, 0) << r.name;
  }
  for (const SystemReader& r : SystemReaders()) {
    int loaded = 0;
    for (int i = 0; i < 1000; i++) loaded += r.load(Mutated(r.sample, random)) ? 1 : 0;
    printf("%-16s loaded %4d of 1000\n", r.name, loaded);
  }
}

}  // namespace
