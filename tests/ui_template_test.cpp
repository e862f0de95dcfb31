// The template loader and writer, on the program's own template and on
// malformed streams. Inputs sit at the very end of a readable page with an
// inaccessible page behind them, so a read past the end crashes the test.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <random>

#include "app/handler_table.h"
#include "app/main_window_template.h"
#include "tests/guarded_bytes.h"
#include "tools/model/tool_model.h"
#include "ui/edit/edit_unit.h"
#include "ui/label/label_unit.h"
#include "ui/template/byte_writer.h"
#include "ui/template/window_template.h"
#include "ui/window/window_unit.h"

namespace {

using Windows = std::vector<std::unique_ptr<WindowTemplate>>;

bool Load(std::span<const uint8_t> bytes, Windows& out, size_t* consumed = nullptr,
          uintptr_t codeBase = 0x1000) {
  GuardedBytes guarded(bytes);
  return LoadWindowTemplates(guarded.span(), codeBase, out, consumed);
}

std::string Str(std::string_view v) { return std::string(v); }

}  // namespace

TEST(ProgramTemplate, LoadsToOneWindowWhoseRecordsEqualTheDeclaration) {
  auto bytes = MainWindowTemplate();
  const WindowDecl& decl = MainWindowDeclaration();
  Windows windows;
  size_t consumed = 0;
  ASSERT_TRUE(Load(bytes, windows, &consumed, ProgramCodeBase()));
  EXPECT_EQ(bytes.size(), static_cast<size_t>(model::kTemplateBytes));
  EXPECT_EQ(consumed, bytes.size()) << "the loader stops exactly at the template's end";
  ASSERT_EQ(windows.size(), 1u);
  const WindowTemplate& win = *windows[0];
  EXPECT_EQ(win.id, 0x52010001u);
  EXPECT_EQ(win.wordA, 0x008675D8u);
  EXPECT_EQ(win.wordB, 0x19010002u);
  EXPECT_EQ(win.textA, "");
  EXPECT_EQ(win.textB, "");
  ASSERT_EQ(win.Count(), 13u);
  ASSERT_EQ(decl.records.size(), 13u);
  for (size_t i = 0; i < win.Count(); ++i) {
    SCOPED_TRACE(i);
    const UnitRecord& r = *win.RecordAt(i);
    const RecordDecl& d = decl.records[i];
    EXPECT_EQ(r.id, d.id);
    EXPECT_EQ(win.IdAt(i), d.id);
    EXPECT_EQ(win.Find(d.id), static_cast<int>(i));
    EXPECT_EQ(r.type, d.type);
    EXPECT_EQ(r.name, Str(d.name));
    EXPECT_EQ(r.comment, "");
    EXPECT_EQ(r.left, d.left);
    EXPECT_EQ(r.top, d.top);
    EXPECT_EQ(r.width, d.width);
    EXPECT_EQ(r.height, d.height);
    EXPECT_EQ(r.flags, d.flags);
    EXPECT_EQ(r.parent, 0u);
    EXPECT_TRUE(r.children.empty());
    EXPECT_EQ(r.cursorData, std::vector<uint8_t>(4, 0));
    EXPECT_EQ(r.tag, "");
    EXPECT_EQ(r.tabOrder, 0u);
    EXPECT_EQ(r.object, nullptr);
    EXPECT_EQ(r.blob, std::vector<uint8_t>(d.blob.begin(), d.blob.end()));
    ASSERT_EQ(r.bindings.size(), d.bindings.size());
    for (size_t b = 0; b < r.bindings.size(); ++b) {
      EXPECT_EQ(r.bindings[b].event, d.bindings[b].event);
      EXPECT_EQ(r.bindings[b].handler, ProgramCodeBase() + d.bindings[b].handlerOffset);
    }
  }
  EXPECT_EQ(win.RecordAt(13), nullptr);
  EXPECT_EQ(win.Find(0x16019999), -1);
}

TEST(ProgramTemplate, UnitNamesAndBindingsMatchTheLayout) {
  Windows windows;
  ASSERT_TRUE(Load(MainWindowTemplate(), windows, nullptr, ProgramCodeBase()));
  const WindowTemplate& win = *windows[0];
  const char* names[] = {"", "组合框3", "组合框2", "组合框1", "通用对话框2", "标签3", "标签2",
                         "超级列表框1", "通用对话框1", "按钮2", "按钮1", "编辑框1", "标签1"};
  for (size_t i = 0; i < 13; ++i) EXPECT_EQ(win.RecordAt(i)->name, names[i]) << i;
  auto handlerOf = [&](uint32_t unit, int event) -> uintptr_t {
    for (const auto& b : win.RecordAt(win.Find(unit))->bindings)
      if (b.event == event) return b.handler;
    return 0;
  };
  auto address = [](auto fn) { return reinterpret_cast<uintptr_t>(fn); };
  // Each binding lands on a stub that jumps to the named handler.
  auto target = [](uintptr_t stub) -> uintptr_t {
    auto p = reinterpret_cast<const uint8_t*>(stub);
    if (p[0] != 0xE9) return 0;
    int32_t rel;
    memcpy(&rel, p + 1, 4);
    return stub + 5 + rel;
  };
  EXPECT_EQ(target(handlerOf(kMainWindowRecordId, 0)), address(&OnMainWindowCreated));
  EXPECT_EQ(target(handlerOf(kMachineListId, 4)), address(&OnListClicked));
  EXPECT_EQ(target(handlerOf(kMachineListId, -9)), address(&OnListKeyDown));
  EXPECT_EQ(target(handlerOf(kExportButtonId, 0)), address(&OnExportClicked));
  EXPECT_EQ(target(handlerOf(kBrowseButtonId, 0)), address(&OnBrowseClicked));
  EXPECT_EQ(handlerOf(kPathEditId, 0), 0u);
}

TEST(ProgramTemplate, EveryTruncationFailsCleanly) {
  auto bytes = MainWindowTemplate();
  for (size_t n = 0; n < bytes.size(); ++n) {
    Windows windows;
    EXPECT_FALSE(Load(bytes.first(n), windows)) << "prefix of " << n << " bytes";
    EXPECT_TRUE(windows.empty());
  }
}

TEST(ProgramTemplate, RandomByteChangesLoadOrFailCleanly) {
  auto original = MainWindowTemplate();
  std::vector<uint8_t> bytes(original.begin(), original.end());
  std::mt19937 random(20240229);
  int loaded = 0;
  for (int i = 0; i < 4000; ++i) {
    size_t at = random() % bytes.size();
    uint8_t saved = bytes[at];
    bytes[at] = static_cast<uint8_t>(random());
    Windows windows;
    size_t consumed = 0;
    if (Load(bytes, windows, &consumed)) {
      ++loaded;
      EXPECT_LE(consumed, bytes.size());
    }
    bytes[at] = saved;
  }
  EXPECT_GT(loaded, 0);
}

// Small hand-made streams: one row per malformed input.
TEST(TemplateLoader, MalformedStreamsFail) {
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
  };
  auto words = [](std::initializer_list<uint32_t> ws) {
    ByteWriter w;
    for (uint32_t v : ws) w.U32(v);
    return w.Take();
  };
  const Case cases[] = {
      {"empty", {}},
      {"index length not a multiple of 8", words({4, 0x52000001})},
      {"index longer than the stream", words({0x7FFFFFF8})},
      {"section missing", words({8, 0x52000001, 0})},
      {"unit count beyond the table", words({8, 0x52000001, 0, 0, 0, 0, 0, 0x10000000, 8, 0, 0})},
      {"table length beyond the stream", words({8, 0x52000001, 0, 0, 0, 0, 0, 1, 100, 0x06000001, 0})},
      {"record offset beyond the table", words({8, 0x52000001, 0, 0, 0, 0, 0, 1, 12, 0x06000001, 50, 0})},
      {"record length beyond the table", words({8, 0x52000001, 0, 0, 0, 0, 0, 1, 12, 0x06000001, 0, 9})},
      {"window without its own record", words({8, 0x52000001, 0, 0, 0, 0, 0, 0, 0})},
  };
  for (const auto& c : cases) {
    Windows windows;
    EXPECT_FALSE(Load(c.bytes, windows)) << c.what;
  }
  Windows none;
  size_t consumed = 1;
  EXPECT_TRUE(Load(words({0}), none, &consumed)) << "no windows at all is a valid stream";
  EXPECT_EQ(consumed, 4u);
}

TEST(TemplateLoader, HandlerOffsetAllOnesIsNoHandler) {
  const BindingDecl events[] = {{0, 0xFFFFFFFF}, {3, 0}, {-9, 0x40}};
  const RecordDecl records[] = {{.id = 0x06000001, .type = kWindowTypeCode, .bindings = events}};
  const WindowDecl win{.id = 0x52000001, .records = records};
  Windows windows;
  ASSERT_TRUE(Load(WriteTemplate({&win, 1}), windows, nullptr, 0x400000));
  const auto& b = windows[0]->RecordAt(0)->bindings;
  ASSERT_EQ(b.size(), 3u);
  EXPECT_EQ(b[0].handler, 0u);
  EXPECT_EQ(b[1].handler, 0x400000u);
  EXPECT_EQ(b[2].handler, 0x400040u);
}

TEST(TemplateLoader, RecordFieldsRoundTrip) {
  const uint32_t children[] = {0x16000003, 0, 0x16000004};
  const uint8_t cursor[] = {1, 0, 0, 0, 9, 9};
  const uint8_t blob[] = {1, 2, 3};
  const RecordDecl records[] = {
      {.id = 0x06000001, .type = kWindowTypeCode},
      {.id = 0x16000002, .type = kEditBoxTypeCode, .name = "容器", .left = -7, .top = 8, .width = 9,
       .height = 10, .flags = 7, .blob = blob, .eventSource = 0x16000005, .comment = "注释",
       .parent = 0x16000009, .children = children, .cursor = cursor, .tag = "标记", .tabOrder = 3},
      {.id = 0x26000006, .type = kMenuTypeCode, .name = "菜单", .menuWords = {4, 5, 6},
       .menuCaption = "文件", .menuHandlerOffset = 0x10},
  };
  const WindowDecl win{.id = 0x52000001, .wordA = 1, .wordB = 2, .textA = "A", .textB = "BB",
                       .records = records};
  auto bytes = WriteTemplate({&win, 1});
  Windows windows;
  size_t consumed = 0;
  ASSERT_TRUE(Load(bytes, windows, &consumed, 0x1000));
  EXPECT_EQ(consumed, bytes.size());
  const WindowTemplate& w = *windows[0];
  EXPECT_EQ(w.textA, "A");
  EXPECT_EQ(w.textB, "BB");
  const UnitRecord& r = *w.RecordAt(1);
  EXPECT_EQ(r.name, "容器");
  EXPECT_EQ(r.comment, "注释");
  EXPECT_EQ(r.eventSource, 0x16000005u);
  EXPECT_EQ(r.left, -7);
  EXPECT_EQ(r.parent, 0x16000009u);
  EXPECT_EQ(r.children, std::vector<uint32_t>(std::begin(children), std::end(children)));
  EXPECT_EQ(r.cursorData, std::vector<uint8_t>(std::begin(cursor), std::end(cursor)));
  EXPECT_EQ(r.tag, "标记");
  EXPECT_EQ(r.flags, 7u);
  EXPECT_EQ(r.tabOrder, 3u);
  EXPECT_EQ(r.blob, std::vector<uint8_t>(std::begin(blob), std::end(blob)));
  const UnitRecord& m = *w.RecordAt(2);
  EXPECT_TRUE(m.isMenuItem);
  EXPECT_EQ(m.menu.caption, "文件");
  EXPECT_EQ(m.menu.words[2], 6u);
  EXPECT_EQ(m.menu.binding.handler, 0x1010u);
}

TEST(TemplateLoader, TwoWindowsLoadInIndexOrder) {
  const RecordDecl a[] = {{.id = 0x06000001, .type = kWindowTypeCode}};
  const RecordDecl b[] = {{.id = 0x06000002, .type = kWindowTypeCode},
                          {.id = 0x16000003, .type = kLabelTypeCode}};
  const WindowDecl wins[] = {{.id = 0x52000001, .records = a}, {.id = 0x52000002, .records = b}};
  Windows windows;
  ASSERT_TRUE(Load(WriteTemplate(wins), windows));
  ASSERT_EQ(windows.size(), 2u);
  EXPECT_EQ(windows[0]->id, 0x52000001u);
  EXPECT_EQ(windows[1]->Count(), 2u);
  EXPECT_EQ(windows[1]->Find(0x16000003), 1);
}
