// The program's one text boundary with Windows. Inside, every text is GBK:
// the window template, RtText, command and property values, the exported
// file. Windows reads the "A" functions' texts in the system code page,
// which is 936 only on a Simplified Chinese system (1252 on an English
// one, 65001 with the UTF-8 option), so every Win32 call that carries text
// goes through here instead: texts become UTF-16 by the conversions of
// gbk_boundary_conversion.h, whatever the system's code page, and the W
// function is called; texts coming back become GBK the same way, with '?'
// for a character that GBK lacks (from the registry, a dialog or typed).
//
// Class names, resource names and other texts the code spells in ASCII may
// be passed as wide literals directly; the rule is for texts the program
// carries. The texts of a control's own messages (list view items, combo
// box items) are wrapped beside that control's unit, over the same
// conversions.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "runtime/gbk_boundary_conversion.h"

// Windows, classes, window texts, message boxes, painting, help.
// A Unicode class with the arrow cursor and the null brush, registered
// unless the instance has a class of that name; false when that fails.
bool EnsureWindowClassGbk(HINSTANCE instance, const char* className, UINT style, WNDPROC proc);
HWND CreateWindowGbk(DWORD exStyle, const char* className, const char* title, DWORD style, int x,
                     int y, int width, int height, HWND parent, HMENU menu, HINSTANCE instance);
void SetWindowTextGbk(HWND window, const char* text);
std::string WindowTextGbk(HWND window);
int MessageBoxGbk(HWND owner, const char* text, const char* title, UINT style);
int DrawTextGbk(HDC dc, const char* text, RECT* rect, UINT format);
BOOL WinHelpGbk(HWND window, const char* helpFile, UINT command, ULONG_PTR data);

// Fonts: the program stores LOGFONTA with a GBK face name.
HFONT CreateFontGbk(const LOGFONTA& font);
LOGFONTA LogFontOf(HGDIOBJ font);
LOGFONTA LogFontFromWide(const LOGFONTW& font);
LOGFONTW WideLogFont(const LOGFONTA& font);

// Files, folders, modules, the environment.
// The module's path as Windows gives it, so that it can be split at a
// backslash before it becomes GBK; empty when the system refused.
std::wstring ModuleFileNameWide(HMODULE module);
BOOL SetCurrentDirectoryGbk(const char* path);
DWORD FileAttributesGbk(const char* path);
HANDLE CreateFileGbk(const char* path, DWORD access, DWORD share, DWORD disposition, DWORD flags);
HMODULE LoadLibraryGbk(const char* fileName);
// Environment variables expanded; false when the system refused.
bool ExpandEnvironmentGbk(const char* text, std::string* expanded);

// The registry.
LSTATUS RegOpenKeyGbk(HKEY root, const char* path, REGSAM access, HKEY* key);
// A value of kind REG_SZ or REG_EXPAND_SZ as GBK, up to its first NUL;
// false (kind still set when known) for a missing value or another kind.
bool RegQueryTextGbk(HKEY key, const char* valueName, DWORD* kind, std::string* text);

// The open and save dialogs. Texts are GBK; filter is the Win32 list
// (pairs of NUL-ended texts, an empty one last) or null.
struct FileDialogSettings {
  HWND owner = nullptr;
  DWORD flags = 0;
  const char* filter = nullptr;
  size_t filterLength = 0;  // bytes of filter, its final NULs included
  DWORD filterIndex = 0;
  const char* fileName = nullptr;
  const char* initialDirectory = nullptr;
  const char* title = nullptr;
  const char* defaultExtension = nullptr;
};
// True with the chosen full path when the user confirmed.
bool ShowFileDialogGbk(bool save, const FileDialogSettings& settings, std::string* chosen);
// The font dialog over a GBK LOGFONTA; true when the user confirmed, with
// the chosen size in tenths of a point.
bool ChooseFontGbk(HWND owner, DWORD flags, LOGFONTA* font, COLORREF* color, int* pointTenths);
