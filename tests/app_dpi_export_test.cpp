// The real tool at the display scale of its prefix (MLE_DPI, see
// tools/dpi-prefix.sh): its window lies inside the screen and holds the
// design's client area times the scale (on a screen too small for it at
// the prefix's, the largest at which it fits), its list's columns are
// scaled, and it exports the same bytes as at 96 DPI.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <string>

#include "tests/window_geometry.h"
#include "tools/driver/tool_session.h"

namespace {

int ExpectedDpi() {
  const char* v = getenv("MLE_DPI");
  return v && atoi(v) > 0 ? atoi(v) : 96;
}

TEST(ToolAtScale, ShowsTheScaledLayoutAndExportsTheSameBytes) {
  e2e::SetImagePath(e2e::MakeServer("mle_dpi", model::DemoRecords()));
  e2e::Tool tool;
  ASSERT_TRUE(tool.Start());

  const int dpi = FittingDpi(tool.main(), ExpectedDpi());
  EXPECT_TRUE(LiesInsideTheWorkArea(tool.main()));
  RECT client;
  GetClientRect(tool.main(), &client);
  // 396 by 501 outside at 96 DPI, with a frame of 6 by 25 pixels there.
  EXPECT_NEAR(client.right, MulDiv(390, dpi, 96), 1);
  EXPECT_NEAR(client.bottom, MulDiv(476, dpi, 96), 1);
  for (int i = 0; i < model::kFieldCount; i++)
    EXPECT_NEAR(SendMessageA(tool.list(), LVM_GETCOLUMNWIDTH, i, 0), MulDiv(model::kFields[i].width, dpi, 96), 1) << i;
  RECT button;
  GetWindowRect(tool.Control(e2e::kExportId), &button);
  EXPECT_NEAR(button.right - button.left, MulDiv(80, dpi, 96), 1);

  tool.Keys({VK_CONTROL, 'A'});
  const std::string selected = model::SelectedCaption(model::kDemoCount);
  EXPECT_EQ(tool.WaitForSelectedCaption(selected), selected);
  const std::string path = e2e::OutputPath("mle_dpi.txt");
  ASSERT_TRUE(tool.Export(path));
  EXPECT_EQ(driver::ReadFileBytes(path), model::DemoExport());

  DWORD code = 1;
  ASSERT_TRUE(tool.PressEscapeAndWait(&code));
  EXPECT_EQ(code, 0u);
}

}  // namespace
