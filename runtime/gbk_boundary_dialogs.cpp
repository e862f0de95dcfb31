// The open, save and font dialogs in UTF-16; see gbk_boundary.h.
#include <windows.h>
#include <commdlg.h>

#include <string>

#include "runtime/gbk_boundary.h"

namespace {

// Null stays null: the dialog then takes its own default.
struct OptionalWide {
  explicit OptionalWide(const char* gbk) : given(gbk && *gbk), text(WideFromGbk(gbk)) {}
  const wchar_t* get() const { return given ? text.c_str() : nullptr; }
  bool given;
  std::wstring text;
};

}  // namespace

bool ShowFileDialogGbk(bool save, const FileDialogSettings& s, std::string* chosen) {
  // The filter's pairs are NUL-separated: convert the bytes as they stand,
  // NULs and all.
  std::wstring filter = s.filter ? WideFromGbk(std::string_view(s.filter, s.filterLength)) : std::wstring();
  OptionalWide title(s.title), directory(s.initialDirectory), extension(s.defaultExtension);
  wchar_t file[MAX_PATH];
  CopyGbkAsWide(s.fileName ? s.fileName : "", file, MAX_PATH);

  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = s.owner;
  ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = s.filterIndex;
  ofn.lpstrFile = file;
  ofn.nMaxFile = MAX_PATH;
  ofn.lpstrInitialDir = directory.get();
  ofn.lpstrTitle = title.get();
  ofn.lpstrDefExt = extension.get();
  ofn.Flags = s.flags;
  if (!(save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn))) return false;
  *chosen = GbkFromWide(file);
  return true;
}

bool ChooseFontGbk(HWND owner, DWORD flags, LOGFONTA* font, COLORREF* color, int* pointTenths) {
  LOGFONTW wide = WideLogFont(*font);
  CHOOSEFONTW cf{};
  cf.lStructSize = sizeof cf;
  cf.hwndOwner = owner;
  cf.lpLogFont = &wide;
  cf.Flags = flags;
  cf.rgbColors = *color;
  if (!ChooseFontW(&cf)) return false;
  *font = LogFontFromWide(wide);
  *color = cf.rgbColors;
  *pointTenths = cf.iPointSize;
  return true;
}
