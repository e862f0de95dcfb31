// ReadRegistryText: one text value from the registry, with environment
// variables expanded for REG_EXPAND_SZ. Every failure answers the default.
#include <windows.h>

#include <string>

#include "commands/core_commands.h"
#include "commands/scoped_handles.h"
#include "runtime/arg_read.h"
#include "runtime/gbk_boundary.h"
#include "runtime/gbk_lead_byte.h"
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

// The value as a new RtText (null when empty); false on any failure. The
// text comes as UTF-16 and is expanded before it becomes GBK, so a variable
// whose value holds a character GBK lacks shows it as '?' like any other.
bool ReadTextValue(HKEY root, const char* keyPath, const char* valueName, char** text) {
  ScopedKey key;
  if (RegOpenKeyGbk(root, keyPath, KEY_QUERY_VALUE, key.out()) != ERROR_SUCCESS) return false;
  DWORD kind = 0;
  std::string value;
  if (!RegQueryTextGbk(key.get(), valueName, &kind, &value)) return false;
  if (kind == REG_EXPAND_SZ && !ExpandEnvironmentGbk(value.c_str(), &value)) return false;
  *text = RtCopyText(value.c_str(), static_cast<int32_t>(value.size()));
  return true;
}

}  // namespace

void ReadRegistryText(ArgValue* result, int argc, ArgValue* args) {
  if (argc >= 2) {
    // The value name follows the last real backslash; a 0x5C that is the
    // second byte of a double-byte character belongs to that character.
    const char* path = args[1].v.text ? args[1].v.text : "";
    int32_t cut = LastSingleByte(path, '\\');
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
