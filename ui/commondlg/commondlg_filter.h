// The common dialog's filter property ("description|pattern|...") in the
// form Win32 file dialogs want: NUL-separated, ended by an empty entry.
#pragma once

#include <string>

// Trailing white space is removed; a non-empty result that does not end with
// "||" gets it; then every "|" becomes a NUL. Answers "" for no filter.
// The result holds NULs: use data() and size(), not strlen.
std::string ToWin32Filter(const char* filter);
