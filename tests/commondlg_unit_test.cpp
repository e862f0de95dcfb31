// The common dialog unit: its blob and properties, and the real file
// dialogs, filled in or cancelled from a second thread.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

#include "app/main_window_template.h"
#include "listview_unit_host.h"
#include "runtime/heap.h"
#include "tools/driver/driver.h"
#include "ui/commondlg/commondlg_open.h"
#include "ui/commondlg/commondlg_unit.h"
#include "ui/template/window_template.h"

namespace {

constexpr uint32_t kDialogUnitId = 0x16011FA5;

// The program's save dialog: kind 1, file name "computer.txt".
CommonDialogSettings SaveDialogSettings() {
  CommonDialogSettings s;
  s.kind = kDialogSave;
  s.fileName = "computer.txt";
  return s;
}

class CommonDialogTest : public ::testing::Test {
 protected:
  CommonDialogUnit* Create(const CommonDialogSettings& s) {
    return static_cast<CommonDialogUnit*>(
        host.Create(CommonDialogUnitType(), EncodeCommonDialogSettings(s), kDialogUnitId, {48, 403, 74, 429}));
  }
  int SetInt(int index, int32_t value) {
    PropValue v{};
    v.i32 = value;
    return SetUnitProperty(CommonDialogUnitType(), unit, index, v);
  }
  void SetText(int index, const char* text) {
    PropValue v{};
    v.text = text;
    SetUnitProperty(CommonDialogUnitType(), unit, index, v);
  }
  int32_t Int(int index) { return GetUnitProperty(CommonDialogUnitType(), unit, index).i32; }
  std::string Text(int index) {
    const char* t = GetUnitProperty(CommonDialogUnitType(), unit, index).text;
    return t ? t : "<null>";
  }
  int Open() { return CallUnitCommand(CommonDialogOpen, unit, kCommonDialogTypeCode).v.i32; }

  UnitTestHost host;
  CommonDialogUnit* unit = nullptr;
};

TEST_F(CommonDialogTest, HiddenWindowAnswersWithItsObjectAndReportsItsEnd) {
  unit = Create(SaveDialogSettings());
  ASSERT_NE(unit, nullptr);
  HWND h = unit->hwnd;
  char cls[32];
  GetClassNameA(h, cls, sizeof cls);
  EXPECT_STREQ(cls, "_VX_CommonDlg");
  EXPECT_FALSE(IsWindowVisible(h));
  EXPECT_EQ(GetParent(h), host.parent());
  EXPECT_EQ(SendMessageA(h, kMsgGetUnitObject, 0, 0), reinterpret_cast<LRESULT>(static_cast<UnitObject*>(unit)));
  DestroyWindow(h);
  ASSERT_EQ(host.destroyed.size(), 1u);
  EXPECT_EQ(host.destroyed[0], std::make_pair(kTestWindowId, kDialogUnitId));
}

TEST_F(CommonDialogTest, BlobRoundTripsAndRefusesNewerVersions) {
  CommonDialogSettings s = SaveDialogSettings();
  s.title = "导出";
  s.filter = "*.txt|*.txt";
  s.helpContext = -4;
  s.fontColor = 0x0000FF;
  Bytes blob = EncodeCommonDialogSettings(s);
  // 16 words, then seven counted texts.
  EXPECT_EQ(blob.size(), 16 * 4 + 7 * 4 + s.title.size() + s.fileName.size() + s.filter.size());
  unit = Create(s);
  ASSERT_NE(unit, nullptr);
  EXPECT_EQ(GetAllUnitProperties(CommonDialogUnitType(), unit), blob);
  EXPECT_EQ(Text(10), "computer.txt");
  EXPECT_EQ(Int(16), 1) << "file must exist defaults on";
  EXPECT_EQ(Int(19), 0);

  CommonDialogSettings back;
  Bytes newer = blob;
  newer[0] = 2;
  EXPECT_FALSE(DecodeCommonDialogSettings(newer, back));
  EXPECT_EQ(host.Create(CommonDialogUnitType(), newer, kDialogUnitId + 1), nullptr);
  Bytes cut(blob.begin(), blob.end() - 3);
  EXPECT_FALSE(DecodeCommonDialogSettings(cut, back));
  // A counted text ends at a NUL inside it.
  Bytes withNul = EncodeCommonDialogSettings(CommonDialogSettings{});
  const uint8_t title[] = {3, 0, 0, 0, 'a', 0, 'b'};
  withNul.erase(withNul.begin() + 64, withNul.begin() + 68);
  withNul.insert(withNul.begin() + 64, title, title + sizeof title);
  ASSERT_TRUE(DecodeCommonDialogSettings(withNul, back));
  EXPECT_EQ(back.title, "a");
}

TEST_F(CommonDialogTest, WrittenValuesAreClampedAndStored) {
  unit = Create(CommonDialogSettings{});
  ASSERT_NE(unit, nullptr);
  struct { int index; int32_t written; int32_t read; } cases[] = {
      {8, 9, 3}, {8, -1, 0}, {8, 2, 2}, {12, -3, 0}, {12, 4, 4}, {26, -1, 0}, {28, 8, 5},
      {28, -2, 0}, {29, -7, -7}, {20, 0x00FF00, 0x00FF00}, {15, 1, 1}, {17, 0, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SetInt(c.index, c.written), 0) << "plain storage never re-creates";
    EXPECT_EQ(Int(c.index), c.read) << "property " << c.index << " written " << c.written;
  }
  SetText(11, "*.txt|*.txt");
  EXPECT_EQ(Text(11), "*.txt|*.txt");
  SetText(11, "");
  EXPECT_EQ(Text(11), "<null>") << "empty reads as null";
}

TEST_F(CommonDialogTest, HelpWithoutItsFileAnswersZero) {
  CommonDialogSettings s;
  s.kind = kDialogHelp;
  s.helpFile = "C:\\no such folder\\none.hlp";
  unit = Create(s);
  ASSERT_NE(unit, nullptr);
  EXPECT_EQ(Open(), 0);
}

// Plays the user from a second thread: waits for this process's dialog
// box, lets `act` work on it, and gives up after a timeout.
class DialogPlayer {
 public:
  template <typename Act>
  explicit DialogPlayer(Act act) : thread_([this, act] {
      HWND dlg = WaitForDialog(20000);
      if (dlg) act(dlg);
      found_ = dlg != nullptr;
    }) {}
  ~DialogPlayer() {
    if (thread_.joinable()) thread_.join();
  }
  bool found() {
    if (thread_.joinable()) thread_.join();
    return found_;
  }

  static HWND WaitForDialog(DWORD ms) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < ms; Sleep(50))
      if (HWND found = driver::FindTopLevelWindow(GetCurrentProcessId(), "#32770", nullptr)) return found;
    return nullptr;
  }

 private:
  std::atomic<bool> found_{false};
  std::thread thread_;
};

BOOL CALLBACK FindEdit(HWND w, LPARAM out) {
  char c[32];
  GetClassNameA(w, c, sizeof c);
  if (_stricmp(c, "Edit") != 0) return TRUE;
  *reinterpret_cast<HWND*>(out) = w;
  return FALSE;
}

// The file name box: an edit (id 0x47C), or the edit inside the combo box
// that newer dialogs have there.
HWND FileNameEdit(HWND dlg) {
  HWND box = GetDlgItem(dlg, 0x47C);
  if (!box) return GetDlgItem(dlg, 0x480);
  char cls[32];
  GetClassNameA(box, cls, sizeof cls);
  if (_stricmp(cls, "Edit") == 0) return box;
  HWND edit = nullptr;
  EnumChildWindows(box, &FindEdit, reinterpret_cast<LPARAM>(&edit));
  return edit;
}

std::string WindowText(HWND w) {
  char text[MAX_PATH] = {};
  SendMessageA(w, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

void Press(HWND dlg, int id) {
  PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dlg, id)));
}

std::string TempPath(const char* name) {
  char dir[MAX_PATH];
  GetTempPathA(sizeof dir, dir);
  char full[MAX_PATH];
  GetLongPathNameA(dir, full, sizeof full);
  return std::string(full) + name;
}

TEST_F(CommonDialogTest, ConfirmedSaveDialogStoresTheFullPath) {
  unit = Create(SaveDialogSettings());
  ASSERT_NE(unit, nullptr);
  std::string path = TempPath("导出测试.txt");
  DeleteFileA(path.c_str());
  std::string initialName;
  HWND owner = nullptr;
  DialogPlayer player([&](HWND dlg) {
    owner = GetWindow(dlg, GW_OWNER);
    HWND edit = FileNameEdit(dlg);
    initialName = WindowText(edit);
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    Press(dlg, IDOK);
  });
  EXPECT_EQ(Open(), 1);
  ASSERT_TRUE(player.found());
  EXPECT_EQ(initialName, "computer.txt");
  EXPECT_EQ(owner, host.parent());
  EXPECT_EQ(_stricmp(Text(10).c_str(), path.c_str()), 0) << Text(10) << " vs " << path;
}

TEST_F(CommonDialogTest, CancelledSaveDialogKeepsTheFileName) {
  unit = Create(SaveDialogSettings());
  ASSERT_NE(unit, nullptr);
  DialogPlayer player([](HWND dlg) { Press(dlg, IDCANCEL); });
  EXPECT_EQ(Open(), 0);
  ASSERT_TRUE(player.found());
  EXPECT_EQ(Text(10), "computer.txt");
}

struct OtherBoxQuery {
  HWND dialog, found;
};

BOOL CALLBACK FindOtherBox(HWND w, LPARAM p) {
  auto* q = reinterpret_cast<OtherBoxQuery*>(p);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  if (w == q->dialog || pid != GetCurrentProcessId() || !IsWindowVisible(w) ||
      driver::ClassName(w) != "#32770")
    return TRUE;
  q->found = w;
  return FALSE;
}

// Another dialog box of this process than `dialog`, if one shows in time.
HWND WaitForOtherBox(HWND dialog, DWORD ms) {
  OtherBoxQuery q{dialog, nullptr};
  for (DWORD start = GetTickCount(); GetTickCount() - start < ms && !q.found; Sleep(50))
    EnumWindows(FindOtherBox, reinterpret_cast<LPARAM>(&q));
  return q.found;
}

// The property blob of the program's own save dialog, from its template.
std::vector<uint8_t> ProgramSaveDialogBlob() {
  std::vector<std::unique_ptr<WindowTemplate>> windows;
  if (!LoadWindowTemplates(MainWindowTemplate(), 0, windows) || windows.empty()) return {};
  const int at = windows[0]->Find(kSaveDialogId);
  return at < 0 ? std::vector<uint8_t>{} : windows[0]->RecordAt(at)->blob;
}

// The program's save dialog, on a file that exists, asks first: "No" keeps
// the dialog open and the file untouched, "Yes" chooses it.
TEST_F(CommonDialogTest, SaveDialogAsksBeforeReplacingAFile) {
  const std::vector<uint8_t> blob = ProgramSaveDialogBlob();
  ASSERT_FALSE(blob.empty());
  unit = static_cast<CommonDialogUnit*>(host.Create(CommonDialogUnitType(), blob, kDialogUnitId, {48, 403, 74, 429}));
  ASSERT_NE(unit, nullptr);
  const std::string path = TempPath("已有的导出.txt");
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written;
  WriteFile(file, "old", 3, &written, nullptr);
  CloseHandle(file);

  const struct {
    int answer;
    int opened;
  } cases[] = {{IDNO, 0}, {IDYES, 1}};
  for (const auto& c : cases) {
    bool asked = false, stayedOpen = false;
    DialogPlayer player([&](HWND dlg) {
      SendMessageA(FileNameEdit(dlg), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
      Press(dlg, IDOK);
      HWND question = WaitForOtherBox(dlg, 10000);
      asked = question && GetDlgItem(question, IDYES) && GetDlgItem(question, IDNO);
      if (question) driver::PressButton(question, c.answer);
      if (c.answer == IDNO) {
        Sleep(300);
        stayedOpen = IsWindow(dlg) && IsWindowVisible(dlg);
        if (stayedOpen) Press(dlg, IDCANCEL);
      }
    });
    EXPECT_EQ(Open(), c.opened) << c.answer;
    ASSERT_TRUE(player.found());
    EXPECT_TRUE(asked) << c.answer;
    if (c.answer == IDNO) {
      EXPECT_TRUE(stayedOpen);
      EXPECT_EQ(Text(10), "computer.txt");
    } else {
      EXPECT_EQ(_stricmp(Text(10).c_str(), path.c_str()), 0) << Text(10);
    }
    EXPECT_EQ(driver::ReadFileBytes(path), "old") << "the dialog itself never writes";
  }
  DeleteFileA(path.c_str());
}

TEST_F(CommonDialogTest, ProgramFilterShowsOneFileType) {
  unit = Create(SaveDialogSettings());
  ASSERT_NE(unit, nullptr);
  SetText(11, "*.txt|*.txt");
  LRESULT count = -1;
  std::string first;
  DialogPlayer player([&](HWND dlg) {
    HWND types = GetDlgItem(dlg, 0x470);
    count = SendMessageA(types, CB_GETCOUNT, 0, 0);
    char text[64] = {};
    SendMessageA(types, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
    first = text;
    Press(dlg, IDCANCEL);
  });
  EXPECT_EQ(Open(), 0);
  ASSERT_TRUE(player.found());
  EXPECT_EQ(count, 1);
  EXPECT_EQ(first, "*.txt");
}

}  // namespace
