#include "tools/driver/tool_session.h"

#include <commctrl.h>
#include <sqlite3.h>

#include <cstring>
#include <iterator>
#include <memory>

namespace e2e {

namespace {

using driver::Gbk;
using driver::Wide;

constexpr const wchar_t* kServiceKey = L"SYSTEM\\CurrentControlSet\\Services\\quillsvc64";
// The tool's main window is its one window of this class.
constexpr const char* kMainClass = "WTWindow";
constexpr DWORD kWaitMs = 10000;

std::string Utf8(const std::string& gbk) { return driver::Utf8(Wide(gbk)); }

void MakeFolders(const std::wstring& path) {
  for (size_t i = 3; i < path.size(); i++)
    if (path[i] == L'\\') CreateDirectoryW(path.substr(0, i).c_str(), nullptr);
}

// Memory in the tool's process for the list-view messages that carry
// pointers.
class RemoteBuffer {
 public:
  RemoteBuffer(DWORD pid, size_t size) : size_(size) {
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process_) address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;
  ~RemoteBuffer() {
    if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }
  char* at(size_t offset) const { return static_cast<char*>(address_) + offset; }
  void Write(size_t offset, const void* data, size_t n) {
    WriteProcessMemory(process_, at(offset), data, n, nullptr);
  }
  void Read(size_t offset, void* data, size_t n) const {
    ReadProcessMemory(process_, at(offset), data, n, nullptr);
  }

 private:
  HANDLE process_ = nullptr;
  void* address_ = nullptr;
  size_t size_;
};




// Types a file name into a file dialog. Dialog templates differ in where
// the name box is (an edit 0x480, or the combo box 0x47C with its edit), so
// every candidate gets the text.
void TypeFileName(HWND dlg, const std::wstring& name) {
  LPARAM text = reinterpret_cast<LPARAM>(name.c_str());
  for (int id : {0x47C, 0x480}) {
    HWND box = GetDlgItem(dlg, id);
    if (!box) continue;
    SendMessageW(box, WM_SETTEXT, 0, text);
    for (HWND edit = FindWindowExW(box, nullptr, L"Edit", nullptr); edit;
         edit = FindWindowExW(box, edit, L"Edit", nullptr))
      SendMessageW(edit, WM_SETTEXT, 0, text);
  }
}

}  // namespace

void WriteDatabase(const std::string& path, const std::vector<Record>& records) {
  WriteDatabase(Wide(path), records);
}

void WriteDatabase(const std::wstring& path, const std::vector<Record>& records) {
  MakeFolders(path);
  DeleteFileW(path.c_str());
  sqlite3* db = nullptr;
  sqlite3_open(driver::Utf8(path).c_str(), &db);
  sqlite3_exec(db, model::kCreateTableSql, nullptr, nullptr, nullptr);
  sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
  sqlite3_stmt* insert = nullptr;
  sqlite3_prepare_v2(db, model::kInsertSql, -1, &insert, nullptr);
  for (const Record& r : records) {
    // Texts as the server writes them; the table's INTEGER column makes a
    // decimal address a number, as the server stores it.
    for (int k = 0; k < model::kFieldCount; k++) {
      if (r.values[k]) sqlite3_bind_text(insert, k + 1, Utf8(*r.values[k]).c_str(), -1, SQLITE_TRANSIENT);
      else sqlite3_bind_null(insert, k + 1);
    }
    sqlite3_step(insert);
    sqlite3_reset(insert);
  }
  sqlite3_finalize(insert);
  sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
  sqlite3_close(db);
}

void RemoveDatabase(const std::string& path) {
  for (const wchar_t* suffix : {L"", L"-journal", L"-wal", L"-shm"}) {
    std::wstring file = Wide(path) + suffix;
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(file.c_str());
  }
}

bool WriteDatabaseSql(const std::string& path, const std::string& sql) {
  MakeFolders(Wide(path));
  RemoveDatabase(path);
  sqlite3* db = nullptr;
  bool ok = sqlite3_open(Utf8(path).c_str(), &db) == SQLITE_OK &&
            sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
  return sqlite3_close(db) == SQLITE_OK && ok;
}

std::string MakeServer(const std::string& name, const std::vector<Record>& records) {
  WriteDatabase("C:\\" + name + "\\config\\quillnode.db", records);
  return "C:\\" + name + "\\server64.exe";
}

void SetImagePath(const std::optional<std::string>& value, bool expand) {
  if (!value) {
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, kServiceKey);
    return;
  }
  SetImagePath(Wide(*value), expand);
}

void SetImagePath(const std::wstring& value, bool expand) {
  SetImagePathData(expand ? REG_EXPAND_SZ : REG_SZ, value.c_str(),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

void SetImagePathData(DWORD kind, const void* data, DWORD size) {
  HKEY key;
  RegCreateKeyExW(HKEY_LOCAL_MACHINE, kServiceKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
  RegSetValueExW(key, L"ImagePath", 0, kind, static_cast<const BYTE*>(data), size);
  RegCloseKey(key);
}

std::string ControlText(HWND control) { return Gbk(ControlTextW(control)); }

std::wstring ControlTextW(HWND control) {
  auto n = static_cast<size_t>(SendMessageW(control, WM_GETTEXTLENGTH, 0, 0));
  std::wstring text(n + 1, L'\0');
  n = static_cast<size_t>(SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
  text.resize(wcsnlen(text.c_str(), n));
  return text;
}

std::vector<std::wstring> ComboItemsW(HWND combo) {
  std::vector<std::wstring> items;
  int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; i++) {
    auto n = SendMessageW(combo, CB_GETLBTEXTLEN, i, 0);
    std::wstring text(n > 0 ? n + 1 : 1, L'\0');
    n = SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
    text.resize(n > 0 ? wcsnlen(text.c_str(), n) : 0);
    items.push_back(text);
  }
  return items;
}

std::string OutputPath(const std::string& name) {
  std::string path = "C:\\mle-out\\" + name;
  MakeFolders(Wide(path));
  return path;
}

bool Tool::Start() { return Launch() && WaitForMain(); }

bool Tool::Launch(const std::string& args) {
  const bool fullPath = program_[0] != '\0' && program_[1] == ':';
  return process_.Start(fullPath ? std::string(program_) : driver::ProgramInTree(program_), args);
}

std::vector<std::string> Tool::AnswerBoxes() {
  std::vector<std::string> messages;
  // A message sent to the window is handled inside a box's own loop, or
  // once the handler has returned: after it, a box that the handler shows
  // exists, and no box means the handler is done.
  for (;;) {
    Sync();
    HWND box = driver::FindTopLevelWindow(process_.id(), "#32770", nullptr, /*hiddenToo=*/true);
    if (!box) return messages;
    messages.push_back(driver::ReadMessageBox(box).text);
    driver::PressButton(box, IDOK);
    for (DWORD start = GetTickCount(); IsWindow(box) && GetTickCount() - start < kWaitMs;) Sleep(20);
    if (IsWindow(box)) return messages;  // it does not close: the caller sees one box too few
  }
}

bool Tool::StartAnswering(std::vector<std::string>* messages) {
  messages->clear();
  if (!Launch()) return false;
  // The window exists (hidden) before its created event runs the loading.
  for (DWORD start = GetTickCount(); !main_ && GetTickCount() - start < kWaitMs;) {
    main_ = driver::FindTopLevelWindow(process_.id(), kMainClass, nullptr, /*hiddenToo=*/true);
    if (!main_) {
      if (WaitForSingleObject(process_.handle(), 20) == WAIT_OBJECT_0) return false;
    }
  }
  if (!main_) return false;
  *messages = AnswerBoxes();
  return WaitForMain();
}

bool Tool::WaitForMain(DWORD timeoutMs) {
  main_ = process_.WaitForWindow(kMainClass, nullptr, timeoutMs);
  if (main_) Sync();
  return main_ != nullptr;
}

HWND Tool::list() const { return Control(kListId); }

void Tool::Sync() const {
  DWORD_PTR ignored;
  SendMessageTimeoutA(main_, WM_NULL, 0, 0, SMTO_NORMAL, kWaitMs, &ignored);
}

std::vector<Row> Tool::Rows() const {
  std::vector<Row> rows;
  for (const RowW& wide : RowsW()) {
    std::vector<std::string> texts;
    for (const std::wstring& text : wide) texts.push_back(Gbk(text));
    rows.push_back(Row(texts));
  }
  return rows;
}

std::vector<RowW> Tool::RowsW() const {
  std::vector<RowW> rows;
  HWND lv = list();
  int count = static_cast<int>(SendMessageW(lv, LVM_GETITEMCOUNT, 0, 0));
  // As many texts per row as the list has columns.
  HWND header = reinterpret_cast<HWND>(SendMessageW(lv, LVM_GETHEADER, 0, 0));
  int columns = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
  size_t room = 1024;  // characters
  auto remote = std::make_unique<RemoteBuffer>(process_.id(), sizeof(LVITEMW) + room * sizeof(wchar_t));
  for (int i = 0; i < count; i++) {
    RowW row;
    for (int column = 0; column < columns;) {
      LVITEMW item{};
      item.iSubItem = column;
      item.pszText = reinterpret_cast<LPWSTR>(remote->at(sizeof(LVITEMW)));
      item.cchTextMax = static_cast<int>(room);
      remote->Write(0, &item, sizeof item);
      int n = static_cast<int>(SendMessageW(lv, LVM_GETITEMTEXTW, i, reinterpret_cast<LPARAM>(remote->at(0))));
      if (n >= static_cast<int>(room) - 1) {  // perhaps cut: read again with more room
        room *= 4;
        remote = std::make_unique<RemoteBuffer>(process_.id(), sizeof(LVITEMW) + room * sizeof(wchar_t));
        continue;
      }
      std::wstring text(n > 0 ? n : 0, L'\0');
      if (n > 0) remote->Read(sizeof(LVITEMW), text.data(), n * sizeof(wchar_t));
      row.push_back(text);
      column++;
    }
    rows.push_back(row);
  }
  return rows;
}

void Tool::SelectAllRows() {
  RemoteBuffer remote(process_.id(), sizeof(LVITEMA));
  LVITEMA item{};
  item.stateMask = LVIS_SELECTED;
  item.state = LVIS_SELECTED;
  remote.Write(0, &item, sizeof item);
  SendMessageA(list(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(remote.at(0)));
}

std::vector<std::string> Tool::ColumnTitles() const {
  std::vector<std::string> titles;
  for (const std::wstring& title : ColumnTitlesW()) titles.push_back(Gbk(title));
  return titles;
}

std::vector<std::wstring> Tool::ColumnTitlesW() const {
  std::vector<std::wstring> titles;
  constexpr size_t kText = 256;
  RemoteBuffer remote(process_.id(), sizeof(LVCOLUMNW) + kText * sizeof(wchar_t));
  for (int i = 0;; i++) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT;
    column.pszText = reinterpret_cast<LPWSTR>(remote.at(sizeof(LVCOLUMNW)));
    column.cchTextMax = kText;
    remote.Write(0, &column, sizeof column);
    if (!SendMessageW(list(), LVM_GETCOLUMNW, i, reinterpret_cast<LPARAM>(remote.at(0)))) break;
    wchar_t text[kText] = {};
    remote.Read(sizeof(LVCOLUMNW), text, (kText - 1) * sizeof(wchar_t));
    titles.push_back(text);
  }
  return titles;
}

std::vector<int> Tool::SelectedRows() const {
  std::vector<int> rows;
  // Only forward: a list that is gone answers 0 for ever.
  for (int i = -1;;) {
    int next = static_cast<int>(SendMessageA(list(), LVM_GETNEXTITEM, i, LVNI_SELECTED));
    if (next <= i) break;
    rows.push_back(i = next);
  }
  return rows;
}

std::string Tool::TotalCaption() const { return driver::WindowText(Control(kTotalLabelId)); }
std::string Tool::SelectedCaption() const { return driver::WindowText(Control(kSelectedLabelId)); }

std::string Tool::WaitForSelectedCaption(const std::string& text) const {
  std::string caption;
  for (DWORD start = GetTickCount(); GetTickCount() - start < kWaitMs; Sleep(20)) {
    Sync();
    caption = SelectedCaption();
    if (caption == text) break;
  }
  return caption;
}

// Input is posted to the list view as the system would queue it, so the
// tool's own loop pre-translates it. The driver shares the tool's input
// state (AttachThreadInput) to give the list the focus and to hold the
// modifier keys down, which the tool reads with GetKeyState.
class SharedInput {
 public:
  explicit SharedInput(HWND toolWindow)
      : self_(GetCurrentThreadId()), tool_(GetWindowThreadProcessId(toolWindow, nullptr)) {
    attached_ = AttachThreadInput(self_, tool_, TRUE);
    GetKeyboardState(saved_);
  }
  SharedInput(const SharedInput&) = delete;
  SharedInput& operator=(const SharedInput&) = delete;
  ~SharedInput() {
    SetKeyboardState(saved_);
    if (attached_) AttachThreadInput(self_, tool_, FALSE);
  }
  void HoldKeys(const std::vector<WORD>& keys) {
    BYTE state[256];
    memcpy(state, saved_, sizeof state);
    for (WORD vk : keys) state[vk] |= 0x80;
    SetKeyboardState(state);
  }

 private:
  DWORD self_, tool_;
  BOOL attached_;
  BYTE saved_[256];
};

// Lets the tool work through what was posted to it.
void Settle(const Tool& tool) {
  for (int i = 0; i < 3; i++) {
    Sleep(100);
    tool.Sync();
  }
}

void Tool::Keys(std::initializer_list<WORD> chord) {
  KeysUntil(chord, [this] { Settle(*this); return true; }, kWaitMs);
}

bool Tool::KeysUntil(std::initializer_list<WORD> chord, const std::function<bool()>& done, DWORD timeoutMs) {
  SharedInput input(main_);
  SetFocus(list());
  std::vector<WORD> modifiers(chord);
  WORD key = modifiers.back();
  modifiers.pop_back();
  input.HoldKeys(modifiers);
  PostMessageA(list(), WM_KEYDOWN, key, 1);
  PostMessageA(list(), WM_KEYUP, key, 0xC0000001);
  for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; Sleep(5))
    if (done()) return true;
  return false;
}

void Tool::ClickRow(int row) {
  RemoteBuffer remote(process_.id(), sizeof(RECT));
  RECT r{};
  r.left = LVIR_LABEL;
  remote.Write(0, &r, sizeof r);
  SendMessageA(list(), LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(remote.at(0)));
  remote.Read(0, &r, sizeof r);
  ClickAt({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

void Tool::ClickBelowLastRow() {
  RECT client;
  GetClientRect(list(), &client);
  ClickAt({40, client.bottom - 6});
}

void Tool::ClickAt(POINT p) {
  SharedInput input(main_);
  SetFocus(list());
  LPARAM at = MAKELPARAM(p.x, p.y);
  PostMessageA(list(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(list(), WM_LBUTTONUP, 0, at);
  Settle(*this);
}

void Tool::SetFieldOrder(int first, int second, int third) {
  SendMessageA(Control(kCombo1Id), CB_SETCURSEL, first, 0);
  SendMessageA(Control(kCombo2Id), CB_SETCURSEL, second, 0);
  SendMessageA(Control(kCombo3Id), CB_SETCURSEL, third, 0);
}

HWND Tool::WaitForBox(DWORD timeoutMs) const { return process_.WaitForWindow("#32770", nullptr, timeoutMs); }

namespace {

struct BoxQuery {
  DWORD pid;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectBox(HWND w, LPARAM p) {
  auto* q = reinterpret_cast<BoxQuery*>(p);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  if (pid == q->pid && IsWindowVisible(w) && driver::ClassName(w) == "#32770") q->found.push_back(w);
  return TRUE;
}

}  // namespace

std::vector<HWND> Tool::Boxes() const {
  BoxQuery q{process_.id(), {}};
  EnumWindows(CollectBox, reinterpret_cast<LPARAM>(&q));
  return q.found;
}

bool Tool::AnswerFileDialog(const std::string& path, DWORD timeoutMs,
                            const std::function<void()>& atOverwritePrompt) {
  return AnswerFileDialog(Wide(path), timeoutMs, atOverwritePrompt);
}

bool Tool::AnswerFileDialog(const std::wstring& path, DWORD timeoutMs,
                            const std::function<void()>& atOverwritePrompt) {
  HWND dlg = WaitForBox(timeoutMs);
  if (!dlg) return false;
  if (path.empty()) {
    PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  } else {
    TypeFileName(dlg, path);
    PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dlg, IDOK)));
    // An existing file asks before it is replaced.
    HWND asked = nullptr;
    for (DWORD start = GetTickCount(); IsWindow(dlg) && GetTickCount() - start < kWaitMs; Sleep(20))
      for (HWND box : Boxes())
        if (box != dlg && box != asked && GetDlgItem(box, IDYES)) {
          if (atOverwritePrompt) atOverwritePrompt();
          asked = box;
          if (driver::PressButton(box, IDYES)) replaceQuestions_++;
        }
  }
  for (DWORD start = GetTickCount(); IsWindow(dlg) && GetTickCount() - start < kWaitMs;) Sleep(20);
  Sync();
  return !IsWindow(dlg);
}

bool Tool::Export(const std::string& path, const std::function<void()>& atOverwritePrompt) {
  return Export(Wide(path), atOverwritePrompt);
}

bool Tool::Export(const std::wstring& path, const std::function<void()>& atOverwritePrompt) {
  PostMessageW(Control(kExportId), BM_CLICK, 0, 0);
  return AnswerFileDialog(path, kWaitMs, atOverwritePrompt);
}

bool Tool::Browse(const std::string& path) { return Browse(Wide(path)); }

bool Tool::Browse(const std::wstring& path) {
  PostMessageW(Control(kBrowseId), BM_CLICK, 0, 0);
  return AnswerFileDialog(path);
}

bool Tool::PressEscapeAndWait(DWORD* exitCode) {
  PostMessageA(list(), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
  PostMessageA(list(), WM_KEYUP, VK_ESCAPE, 0xC0010001);
  return process_.WaitForExit(kWaitMs, exitCode);
}

}  // namespace e2e
