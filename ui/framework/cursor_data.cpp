// Cursor numbering between the program and the record; see cursor_data.h.
#include "ui/framework/cursor_data.h"

#include <cstring>
#include <iterator>

namespace {

// Program number n stands for kSystemCursors[n - 1].
constexpr uint32_t kSystemCursors[] = {
    32512,  // IDC_ARROW
    32515,  // IDC_CROSS
    32513,  // IDC_IBEAM
    32641,  // IDC_ICON
    32640,  // IDC_SIZE
    32643,  // IDC_SIZENESW
    32645,  // IDC_SIZENS
    32642,  // IDC_SIZENWSE
    32644,  // IDC_SIZEWE
    32516,  // IDC_UPARROW
    32514,  // IDC_WAIT
    32648,  // IDC_NO
    32650,  // IDC_APPSTARTING
    32651,  // IDC_HELP
    32646,  // IDC_SIZEALL
    32649,  // IDC_HAND
};

uint32_t FirstWord(const std::vector<uint8_t>& d) {
  uint32_t w;
  memcpy(&w, d.data(), 4);
  return w;
}

std::vector<uint8_t> WithFirstWord(std::vector<uint8_t> d, uint32_t w) {
  memcpy(d.data(), &w, 4);
  return d;
}

}  // namespace

std::vector<uint8_t> CursorDataForProgram(const std::vector<uint8_t>& stored) {
  if (stored.size() < 4) return stored;
  uint32_t id = FirstWord(stored);
  for (size_t i = 0; i < std::size(kSystemCursors); ++i)
    if (kSystemCursors[i] == id) return WithFirstWord(stored, static_cast<uint32_t>(i + 1));
  return stored;
}

std::vector<uint8_t> CursorDataForStore(const std::vector<uint8_t>& program) {
  if (program.size() < 4) return program;
  uint32_t n = FirstWord(program);
  if (n >= 1 && n <= std::size(kSystemCursors)) return WithFirstWord(program, kSystemCursors[n - 1]);
  return program;
}

HCURSOR LoadCursorFromData(const std::vector<uint8_t>& stored) {
  if (stored.size() < 4) return nullptr;
  uint32_t id = FirstWord(stored);
  for (uint32_t known : kSystemCursors)
    if (known == id)  // a private copy (no LR_SHARED), safe to destroy
      return static_cast<HCURSOR>(
          LoadImageW(nullptr, MAKEINTRESOURCEW(id), IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE));
  return nullptr;
}
