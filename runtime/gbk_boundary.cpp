// Windows, fonts, files and the registry in UTF-16; see gbk_boundary.h.
#include "runtime/gbk_boundary.h"

#include <cstring>

#include "runtime/gbk_lead_byte.h"

namespace {

constexpr DWORD kLargestRegistryText = 16u << 20;

}  // namespace

bool EnsureWindowClassGbk(HINSTANCE instance, const char* className, UINT style, WNDPROC proc) {
  std::wstring name = WideFromGbk(className);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExW(instance, name.c_str(), &wc)) return true;
  wc = WNDCLASSEXW{};
  wc.cbSize = sizeof wc;
  wc.style = style;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  wc.lpszClassName = name.c_str();
  return RegisterClassExW(&wc) != 0;
}

HWND CreateWindowGbk(DWORD exStyle, const char* className, const char* title, DWORD style, int x,
                     int y, int width, int height, HWND parent, HMENU menu, HINSTANCE instance) {
  return CreateWindowExW(exStyle, WideFromGbk(className).c_str(), WideFromGbk(title).c_str(), style, x,
                         y, width, height, parent, menu, instance, nullptr);
}

void SetWindowTextGbk(HWND window, const char* text) { SetWindowTextW(window, WideFromGbk(text).c_str()); }

std::string WindowTextGbk(HWND window) {
  int n = GetWindowTextLengthW(window);
  if (n <= 0) return {};
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  int got = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
  text.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return GbkFromWide(text);
}

int MessageBoxGbk(HWND owner, const char* text, const char* title, UINT style) {
  return MessageBoxW(owner, WideFromGbk(text).c_str(), WideFromGbk(title).c_str(), style);
}

int DrawTextGbk(HDC dc, const char* text, RECT* rect, UINT format) {
  std::wstring wide = WideFromGbk(text);
  return DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), rect, format);
}

BOOL WinHelpGbk(HWND window, const char* helpFile, UINT command, ULONG_PTR data) {
  std::wstring file = WideFromGbk(helpFile);
  return WinHelpW(window, helpFile ? file.c_str() : nullptr, command, data);
}

LOGFONTW WideLogFont(const LOGFONTA& font) {
  LOGFONTW wide{};
  memcpy(&wide, &font, offsetof(LOGFONTA, lfFaceName));
  CopyGbkAsWide(std::string_view(font.lfFaceName, strnlen(font.lfFaceName, LF_FACESIZE)), wide.lfFaceName,
                LF_FACESIZE);
  return wide;
}

LOGFONTA LogFontFromWide(const LOGFONTW& wide) {
  LOGFONTA font{};
  memcpy(&font, &wide, offsetof(LOGFONTW, lfFaceName));
  std::string face = GbkFromWide(std::wstring_view(wide.lfFaceName, wcsnlen(wide.lfFaceName, LF_FACESIZE)));
  // A face name fills at most 31 bytes; a double-byte character that does
  // not fit whole is left out.
  memcpy(font.lfFaceName, face.data(), WholeCharacterPrefix(face, LF_FACESIZE - 1));
  return font;
}

HFONT CreateFontGbk(const LOGFONTA& font) {
  LOGFONTW wide = WideLogFont(font);
  return CreateFontIndirectW(&wide);
}

LOGFONTA LogFontOf(HGDIOBJ font) {
  LOGFONTW wide{};
  if (!GetObjectW(font, sizeof wide, &wide)) return LOGFONTA{};
  return LogFontFromWide(wide);
}

std::wstring ModuleFileNameWide(HMODULE module) {
  // Long paths do not fit MAX_PATH: grow until the name fits.
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    if (path.size() >= 32768) return {};
    path.resize(path.size() * 2);
  }
}

BOOL SetCurrentDirectoryGbk(const char* path) { return SetCurrentDirectoryW(WideFromGbk(path).c_str()); }

DWORD FileAttributesGbk(const char* path) {
  if (!path || !*path) return INVALID_FILE_ATTRIBUTES;
  return GetFileAttributesW(WideFromGbk(path).c_str());
}

HANDLE CreateFileGbk(const char* path, DWORD access, DWORD share, DWORD disposition, DWORD flags) {
  return CreateFileW(WideFromGbk(path).c_str(), access, share, nullptr, disposition, flags, nullptr);
}

HMODULE LoadLibraryGbk(const char* fileName) { return LoadLibraryW(WideFromGbk(fileName).c_str()); }

bool ExpandEnvironmentGbk(const char* text, std::string* expanded) {
  std::wstring raw = WideFromGbk(text);
  // The answer counts units, the NUL included; a variable may change
  // between the two calls, so a buffer found too small is grown again.
  DWORD size = ExpandEnvironmentStringsW(raw.c_str(), nullptr, 0);
  for (int tries = 0; size != 0 && tries < 4; tries++) {
    std::wstring out(size, L'\0');
    DWORD needed = ExpandEnvironmentStringsW(raw.c_str(), out.data(), size);
    if (needed == 0) return false;
    if (needed <= size) {
      out.resize(wcsnlen(out.c_str(), out.size()));
      *expanded = GbkFromWide(out);
      return true;
    }
    size = needed;
  }
  return false;
}

LSTATUS RegOpenKeyGbk(HKEY root, const char* path, REGSAM access, HKEY* key) {
  return RegOpenKeyExW(root, WideFromGbk(path).c_str(), 0, access, key);
}

bool RegQueryTextGbk(HKEY key, const char* valueName, DWORD* kind, std::string* text) {
  std::wstring name = WideFromGbk(valueName);
  DWORD size = 0;
  *kind = REG_NONE;
  if (RegQueryValueExW(key, name.c_str(), nullptr, kind, nullptr, &size) != ERROR_SUCCESS) return false;
  if (*kind != REG_SZ && *kind != REG_EXPAND_SZ) return false;
  // No text of the program's is near this size: a value beyond it is refused
  // rather than allocated.
  if (size > kLargestRegistryText) return false;
  // Room for a terminating NUL that the stored data may lack.
  std::wstring data(size / sizeof(wchar_t) + 1, L'\0');
  DWORD got = static_cast<DWORD>(data.size() * sizeof(wchar_t));
  if (RegQueryValueExW(key, name.c_str(), nullptr, kind, reinterpret_cast<BYTE*>(data.data()), &got) !=
      ERROR_SUCCESS)
    return false;
  data.resize(wcsnlen(data.c_str(), got / sizeof(wchar_t)));
  *text = GbkFromWide(data);
  return true;
}
