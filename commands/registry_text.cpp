// ReadRegistryText: one text value from the registry, with environment
// variables expanded for REG_EXPAND_SZ. Every failure answers the default.
#include <windows.h>

#include <cstring>

#include "commands/core_commands.h"
#include "commands/gbk_text.h"
#include "commands/scoped_handles.h"
#include "runtime/arg_read.h"
#include "runtime/heap.h"
#include "runtime/runtime.h"

namespace {

HKEY RootKey(int32_t number) {
  switch (number) {
    case 1: return HKEY_CLASSES_ROOT;
    case 2: return HKEY_CURRENT_CONFIG;
    case 4: return HKEY_LOCAL_MACHINE;
    case 5: return HKEY_USERS;
    default: return HKEY_CURRENT_USER;  // 3 and every unknown number
  }
}

// A heap block that may fail without a fatal report (RuntimeNotify 2024
// with p2 != 0): a huge registry value only makes the read fail.
void* TryAlloc(DWORD size) {
  return reinterpret_cast<void*>(RuntimeNotify(kNotifyAlloc, static_cast<intptr_t>(size), 1));
}

// The size that ExpandEnvironmentStringsA reports cannot be trusted: ANSI
// callers must allow one byte more than it says, Wine counts characters
// where double-byte text needs two bytes each, and a buffer that is too
// small answers a size without being written, or holds a cut text. So the
// buffer starts empty with room for two bytes a character, the call gets
// all of it, and the result counts only when it ends with a byte to spare;
// otherwise the buffer doubles and the call is repeated.
bool ExpandText(const char* raw, char** text) {
  constexpr DWORD kLargest = 1u << 20;  // far beyond the system's 32K limit
  DWORD needed = ExpandEnvironmentStringsA(raw, nullptr, 0);
  if (needed == 0) return false;
  for (DWORD size = 2 * needed + 2; size <= kLargest; size *= 2) {
    ScopedBlock expanded(TryAlloc(size));
    if (!expanded) return false;
    expanded.text()[0] = 0;
    DWORD written = ExpandEnvironmentStringsA(raw, expanded.text(), size);
    if (written == 0) return false;
    expanded.text()[size - 1] = 0;
    if (written < size && strlen(expanded.text()) + 2 <= size) {
      *text = RtCopyText(expanded.text());
      return true;
    }
  }
  return false;
}

// The value as a new RtText (null when empty); false on any failure.
bool ReadTextValue(HKEY root, const char* keyPath, const char* valueName, char** text) {
  ScopedKey key;
  if (RegOpenKeyExA(root, keyPath, 0, KEY_QUERY_VALUE, key.out()) != ERROR_SUCCESS) return false;
  DWORD kind = 0, size = 0;
  if (RegQueryValueExA(key.get(), valueName, nullptr, &kind, nullptr, &size) != ERROR_SUCCESS)
    return false;
  if (kind != REG_SZ && kind != REG_EXPAND_SZ) return false;
  // One byte more than reported: a stored string need not end in a NUL.
  ScopedBlock raw(TryAlloc(size + 1));
  if (!raw) return false;
  DWORD read = size;
  if (RegQueryValueExA(key.get(), valueName, nullptr, &kind, reinterpret_cast<BYTE*>(raw.text()),
                       &read) != ERROR_SUCCESS)
    return false;
  raw.text()[read < size ? read : size] = 0;
  if (kind == REG_SZ) {
    *text = RtCopyText(raw.text());
    return true;
  }
  return ExpandText(raw.text(), text);
}

}  // namespace

void ReadRegistryText(ArgValue* result, int argc, ArgValue* args) {
  if (argc >= 2) {
    // The value name follows the last real backslash; a 0x5C that is the
    // second byte of a double-byte character belongs to that character.
    const char* path = args[1].v.text ? args[1].v.text : "";
    int32_t cut = FindLastSingleByte(path, '\\');
    char* keyPath = cut > 0 ? RtCopyText(path, cut) : nullptr;
    const char* valueName = path + cut + 1;  // cut = -1: the whole path
    char* text = nullptr;
    bool ok = ReadTextValue(RootKey(ArgAsIntOr(argc, args, 0, 0)), keyPath ? keyPath : "", valueName, &text);
    RtFree(keyPath);
    if (ok) {
      result->v.text = text;
      return;
    }
  }
  if (ArgGiven(argc, args, 2)) result->v.text = RtCopyText(args[2].v.text);
}
