// The real tool at the display scale of its prefix (MLE_DPI, see
// tools/dpi-prefix.sh): its window lies inside the screen and holds the
// design's client area times the scale (on a screen too small for it at
// the prefix's, the largest at which it fits), its list's columns are
// scaled, and it exports the same bytes as at 96 DPI.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/window_geometry.h"
#include "tools/driver/tool_session.h"

namespace {

int ExpectedDpi() {
  const char* v = getenv("MLE_DPI");
  return v && atoi(v) > 0 ? atoi(v) : 96;
}

// The demo server's table (tools/make_demo_db.py) and the file that an
// export of every row in the default field order writes.
std::vector<e2e::Record> DemoRecords(std::string* exported) {
  const char* rooms[] = {"网吧A区", "网吧B区", "VIP包间", "教室"};
  std::vector<e2e::Record> records;
  for (int i = 1; i <= 36; i++) {
    char name[32], mac[32], ip[32];
    if (i % 5 == 0) snprintf(name, sizeof name, "%s-%02d", rooms[(i / 5) % 4], i);
    else snprintf(name, sizeof name, "PC%03d", i);
    snprintf(mac, sizeof mac, "00-1A-2B-%02X-%02X-%02X", i / 256, i % 256, (i * 7) % 256);
    const unsigned a = 192, b = 168, c = 1 + i / 200, d = 10 + i % 200;
    snprintf(ip, sizeof ip, "%u.%u.%u.%u", a, b, c, d);
    records.push_back({name, mac, std::to_string(a | b << 8 | c << 16 | static_cast<unsigned long long>(d) << 24)});
    *exported += std::string(name) + " " + mac + " " + ip + "\r\n";
  }
  return records;
}

TEST(ToolAtScale, ShowsTheScaledLayoutAndExportsTheSameBytes) {
  std::string expected;
  e2e::SetImagePath(e2e::MakeServer("mle_dpi", DemoRecords(&expected)));
  e2e::Tool tool;
  ASSERT_TRUE(tool.Start());

  const int dpi = FittingDpi(tool.main(), ExpectedDpi());
  EXPECT_TRUE(LiesInsideTheWorkArea(tool.main()));
  RECT client;
  GetClientRect(tool.main(), &client);
  // 396 by 501 outside at 96 DPI, with a frame of 6 by 25 pixels there.
  EXPECT_NEAR(client.right, MulDiv(390, dpi, 96), 1);
  EXPECT_NEAR(client.bottom, MulDiv(476, dpi, 96), 1);
  const int widths[] = {110, 118, 128};
  for (int i = 0; i < 3; i++)
    EXPECT_NEAR(SendMessageA(tool.list(), LVM_GETCOLUMNWIDTH, i, 0), MulDiv(widths[i], dpi, 96), 1) << i;
  RECT button;
  GetWindowRect(tool.Control(e2e::kExportId), &button);
  EXPECT_NEAR(button.right - button.left, MulDiv(80, dpi, 96), 1);

  tool.Keys({VK_CONTROL, 'A'});
  EXPECT_EQ(tool.WaitForSelectedCaption("选中:36"), "选中:36");
  const std::string path = e2e::OutputPath("mle_dpi.txt");
  ASSERT_TRUE(tool.Export(path));
  EXPECT_EQ(driver::ReadFileBytes(path), expected);

  DWORD code = 1;
  ASSERT_TRUE(tool.PressEscapeAndWait(&code));
  EXPECT_EQ(code, 0u);
}

}  // namespace
