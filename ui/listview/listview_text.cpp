// Texts of the list view in UTF-16; see listview_text.h.
#include "ui/listview/listview_text.h"

#include <vector>

#include "runtime/gbk_boundary_conversion.h"

namespace {

// Item texts are read into a buffer that doubles while the text may have
// been cut; beyond this many units a text is taken as it came.
constexpr int kMaxItemText = 1 << 25;

}  // namespace

int ListViewInsertItemGbk(HWND list, LVITEMW item, const char* text) {
  WideArg wide(text);
  item.pszText = wide.data();  // only read by the control
  return static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

void ListViewSetItemGbk(HWND list, LVITEMW item, const char* text) {
  WideArg wide(text);
  item.pszText = wide.data();
  SendMessageW(list, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void ListViewSetItemTextGbk(HWND list, int item, int column, const char* text) {
  WideArg wide(text);
  LVITEMW it{};
  it.iSubItem = column;
  it.pszText = wide.data();
  SendMessageW(list, LVM_SETITEMTEXTW, item, reinterpret_cast<LPARAM>(&it));
}

// LVM_GETITEMTEXTW answers the units it copied. A text that filled the
// buffer may have been cut, so the buffer doubles until the text fits with
// room to spare. Most texts fit the first buffer, which needs no heap.
std::string ListViewItemTextGbk(HWND list, int item, int column) {
  wchar_t first[512];
  std::vector<wchar_t> grown;
  for (int size = 512;; size *= 2) {
    wchar_t* buffer = first;
    if (size > 512) {
      grown.assign(static_cast<size_t>(size), L'\0');
      buffer = grown.data();
    }
    buffer[0] = 0;
    LVITEMW it{};
    it.iSubItem = column;
    it.pszText = buffer;
    it.cchTextMax = size;
    int n = static_cast<int>(SendMessageW(list, LVM_GETITEMTEXTW, item, reinterpret_cast<LPARAM>(&it)));
    if (n < size - 1 || size >= kMaxItemText) {
      buffer[size - 1] = 0;
      // The control may answer through its own buffer instead of ours.
      return GbkFromWide(it.pszText);
    }
  }
}

int ListViewInsertColumnGbk(HWND list, int at, LVCOLUMNW column, const char* title) {
  WideArg wide(title);
  column.pszText = wide.data();
  return static_cast<int>(SendMessageW(list, LVM_INSERTCOLUMNW, at, reinterpret_cast<LPARAM>(&column)));
}
