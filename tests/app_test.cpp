// The application's routines that need no window: the export line, the
// database path from the service's image path, the dotted address.
#include <gtest/gtest.h>

#include "app/ip_text.h"
#include "app/export_line.h"
#include "app/startup.h"
#include "runtime/heap.h"
#include "tools/model/tool_model.h"

namespace {

std::string Line(const char* a, const char* b, const char* c) {
  std::string out;
  AppendExportLine(out, a, b, c);
  return out;
}

// Every combination of empty and non-empty fields: the non-empty ones
// joined by the separator, the line end after each line.
TEST(ExportLine, JoinsTheNonEmptyFieldsWithTheSeparator) {
  for (const char* a : {"", "名 字"})
    for (const char* b : {"", "x"})
      for (const char* c : {"", "1.2.3.4"})
        EXPECT_EQ(Line(a, b, c), model::ExportLine(a, b, c)) << "[" << a << "|" << b << "|" << c << "]";
}

std::string PathFor(const char* imagePath) {
  char* path = DatabasePathFromImagePath(imagePath);
  std::string text = path ? path : "";
  RtFree(path);
  return text;
}

TEST(DatabasePath, FirstTwoPiecesOfTheImagePath) {
  struct {
    const char* imagePath;
    const char* expected;
  } cases[] = {
      {"D:\\Server\\server64.exe", "D:\\Server\\config\\quillnode.db"},
      {"C:\\Program Files\\Tools\\bin\\server64.exe", "C:\\Program Files\\config\\quillnode.db"},
      {"D:\\server64.exe", "D:\\server64.exe\\config\\quillnode.db"},
      {"D:\\\\Server\\x.exe", "D:\\\\config\\quillnode.db"},
      {"\"D:\\Server\\server64.exe\" -s", "D:\\Server\\config\\quillnode.db"},
      {"\"C:\\服务\\x.exe", "C:\\服务\\config\\quillnode.db"},  // no closing quote
      {"D:\\嘰圽\\x.exe", "D:\\嘰圽\\config\\quillnode.db"},     // trail bytes 0x5C are no separators
      {"server64.exe", ""},
      {"D:\\", ""},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(PathFor(c.imagePath), c.expected) << c.imagePath;
}

TEST(FormatIpv4, LowFourBytesMostSignificantFirst) {
  struct {
    int64_t value;
    const char* expected;
  } cases[] = {
      {0x0101A8C0, "1.1.168.192"},
      {-1062731519, "192.168.1.1"},  // 0xC0A80101 sign-extended
      {0, "0.0.0.0"},
      {0x1234567801020304ll, "1.2.3.4"},
  };
  for (const auto& c : cases) {
    char* text = FormatIpv4(c.value);
    EXPECT_STREQ(text, c.expected);
    RtFree(text);
  }
}

}  // namespace
