// Texts of the combo box in UTF-16; see combo_text.h.
#include "ui/combo/combo_text.h"

#include "runtime/gbk_boundary_conversion.h"

LRESULT ComboAddStringGbk(HWND combo, const char* text) {
  return SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromGbk(text).c_str()));
}

std::string ComboItemTextGbk(HWND combo, int index) {
  LRESULT n = SendMessageW(combo, CB_GETLBTEXTLEN, index, 0);
  if (n == CB_ERR || n <= 0) return {};
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  LRESULT got = SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(got > 0 && got <= n ? static_cast<size_t>(got) : 0);
  return GbkFromWide(text);
}
