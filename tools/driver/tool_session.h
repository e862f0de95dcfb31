// End-to-end support: a server database and registry entry made by the
// test, and the real tool driven from outside its process. Texts are GBK
// here as in the tool; they reach Windows as UTF-16 converted with code
// page 936 (tools/driver/driver.h), and the W variants give the UTF-16
// that the tool's windows hold.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tools/driver/driver.h"
#include "tools/model/tool_model.h"

namespace e2e {

// One record of the server's table and one row of the list, as the model
// has them (tools/model/tool_model.h). Texts are GBK; the records are
// stored as UTF-8, the server's encoding.
using Record = model::Record;
using Row = model::Row;

// A server folder C:\<name> with config\quillnode.db holding the records.
// Answers the service image path that leads to it ("C:\<name>\server64.exe").
std::string MakeServer(const std::string& name, const std::vector<Record>& records);
// Writes a database file at path (folders created) with the model's table
// and the records.
void WriteDatabase(const std::string& path, const std::vector<Record>& records);
void WriteDatabase(const std::wstring& path, const std::vector<Record>& records);
// Writes a database file at path (folders created, an old file and its
// journals removed) by running the SQL text (UTF-8) as it is: for tables
// and values the records cannot express. False when SQLite refused it.
bool WriteDatabaseSql(const std::string& path, const std::string& sql);
// Removes a database file and the journal files beside it, read-only or not.
void RemoveDatabase(const std::string& path);
// The service's "ImagePath" (REG_EXPAND_SZ when expand), written as UTF-16;
// nullopt removes the service key.
void SetImagePath(const std::optional<std::string>& value, bool expand = false);
void SetImagePath(const std::wstring& value, bool expand = false);
// The service's "ImagePath" as raw data of any kind (REG_DWORD ...); the
// string kinds' data is UTF-16.
void SetImagePathData(DWORD kind, const void* data, DWORD size);

using RowW = std::vector<std::wstring>;

// The running tool with its main window's controls.
class Tool {
 public:
  // The program to start: a file name in the tree's bin\ folder, or a
  // full path from its drive letter on (GBK; it must outlive the Tool).
  explicit Tool(const char* program = "machine-list-export.exe") : program_(program) {}
  // Starts the tool and waits for its main window (answering nothing else):
  // its one window of the runtime's class, found whatever its title reads,
  // so that a test can tell a wrong title from a missing window.
  bool Start();
  // The two halves of Start, for runs where a box shows before the window.
  // args: the command-line tail (the tool reads none; a marker finds it).
  bool Launch(const std::string& args = "");
  bool WaitForMain(DWORD timeoutMs = 10000);
  // Launches the tool and answers with OK every message box it shows
  // while its window loads; messages gets their texts in order. False
  // when the window did not come.
  bool StartAnswering(std::vector<std::string>* messages);
  // Answers with OK every message box the tool shows now, and any that
  // follows while its handler runs on; their texts in order.
  std::vector<std::string> AnswerBoxes();
  driver::DrivenProcess& process() { return process_; }
  HWND main() const { return main_; }
  HWND Control(int controlId) const { return GetDlgItem(main_, controlId); }
  HWND list() const;

  // Every row's texts, however long.
  std::vector<Row> Rows() const;
  std::vector<RowW> RowsW() const;
  // Selects every row as a program would (no click, no key).
  void SelectAllRows();
  std::vector<std::string> ColumnTitles() const;
  std::vector<std::wstring> ColumnTitlesW() const;
  std::vector<int> SelectedRows() const;
  std::string TotalCaption() const;
  std::string SelectedCaption() const;
  // Waits until the caption reads text; the caption read last otherwise.
  std::string WaitForSelectedCaption(const std::string& text) const;

  // Input to the list view as the system queues it: the last key of the
  // chord pressed while the others are held down; clicks at list points.
  void Keys(std::initializer_list<WORD> chord);
  // Posts the chord as Keys does and keeps its modifiers held until done()
  // answers true (polled every few milliseconds) or timeoutMs passed.
  bool KeysUntil(std::initializer_list<WORD> chord, const std::function<bool()>& done, DWORD timeoutMs);
  void ClickRow(int row);
  void ClickBelowLastRow();
  void ClickAt(POINT listPoint);
  void SetFieldOrder(int first, int second, int third);
  // A dialog or message box of the tool, if one shows within timeoutMs.
  HWND WaitForBox(DWORD timeoutMs) const;
  // Every visible dialog and message box of the tool, newest first.
  std::vector<HWND> Boxes() const;
  // Clicks the export button, answers the save dialog with path (or
  // cancels when path is empty), confirms an overwrite, and waits until
  // the handler is done. atOverwritePrompt runs while the dialog asks
  // whether to replace the file, before the answer.
  bool Export(const std::string& path, const std::function<void()>& atOverwritePrompt = nullptr);
  bool Export(const std::wstring& path, const std::function<void()>& atOverwritePrompt = nullptr);
  // How many times a file dialog asked whether to replace a file (and was
  // answered yes) since the start.
  int ReplaceQuestions() const { return replaceQuestions_; }
  // Clicks "...", answers the open dialog with path (or cancels).
  bool Browse(const std::string& path);
  bool Browse(const std::wstring& path);
  // Escape; answers the exit code (false when it did not end).
  bool PressEscapeAndWait(DWORD* exitCode);
  // Waits until every message sent before has been handled.
  void Sync() const;
  // Answers the file dialog that shows (or shows within timeoutMs) as
  // Export does; true once it closed. atOverwritePrompt runs while the
  // dialog asks whether to replace the file, before the answer.
  bool AnswerFileDialog(const std::string& path, DWORD timeoutMs = 10000,
                        const std::function<void()>& atOverwritePrompt = nullptr);
  bool AnswerFileDialog(const std::wstring& path, DWORD timeoutMs = 10000,
                        const std::function<void()>& atOverwritePrompt = nullptr);

 private:
  const char* program_;
  driver::DrivenProcess process_;
  HWND main_ = nullptr;
  int replaceQuestions_ = 0;
};

// A control's text through WM_GETTEXT: GetWindowText does not ask a
// window of another process, so edit boxes would read empty.
std::string ControlText(HWND control);
std::wstring ControlTextW(HWND control);
// A drop-down list's items (CB_GETLBTEXT).
std::vector<std::wstring> ComboItemsW(HWND combo);

// Control ids the runtime gives the units, in creation order.
enum : int {
  kPathLabelId = 100, kPathEditId = 110, kBrowseId = 120, kExportId = 130, kOpenDialogId = 140,
  kListId = 150, kTotalLabelId = 160, kSelectedLabelId = 170, kSaveDialogId = 180,
  kCombo1Id = 190, kCombo2Id = 200, kCombo3Id = 210,
};

// A scratch file path under C:\mle-out.
std::string OutputPath(const std::string& name);

}  // namespace e2e
