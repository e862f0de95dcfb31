// Window icons; see window_icons.h.
#include "ui/window/window_icons.h"

#include <cstdlib>
#include <cstring>

#include "runtime/runtime.h"
#include "ui/framework/host.h"

namespace {

HICON g_big, g_small;
bool g_loaded;

void ReleaseDefaultIcons() {
  if (g_big) DestroyIcon(g_big);
  if (g_small) DestroyIcon(g_small);
  g_big = g_small = nullptr;
  g_loaded = false;
}

uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t U32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }

}  // namespace

HICON DefaultIcon(bool big) {
  if (!g_loaded) {
    g_loaded = true;
    g_big = static_cast<HICON>(LoadImageW(RtInstance(), L"DEFAULT_ICON", IMAGE_ICON, 32, 32, 0));
    g_small = static_cast<HICON>(LoadImageW(RtInstance(), L"DEFAULT_ICON", IMAGE_ICON, 16, 16, 0));
    AtFrameworkShutdown(ReleaseDefaultIcons);
  }
  return big ? g_big : g_small;
}

// .ico file: reserved 0, type 1, count; then 16-byte entries {width,
// height, colours, reserved, planes, bits, bytes, offset}. The entry
// nearest the wanted size wins, the deeper colour on a tie.
HICON IconFromData(const std::vector<uint8_t>& data, int size) {
  if (data.size() < 6 || U16(&data[0]) != 0 || U16(&data[2]) != 1) return nullptr;
  const size_t count = U16(&data[4]);
  if (data.size() < 6 + 16 * count) return nullptr;
  const uint8_t* best = nullptr;
  int bestDistance = 0, bestBits = 0;
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* e = &data[6 + 16 * i];
    const uint32_t bytes = U32(e + 8), offset = U32(e + 12);
    if (offset > data.size() || bytes > data.size() - offset || bytes == 0) continue;
    const int width = e[0] ? e[0] : 256, bits = U16(e + 6);
    const int distance = std::abs(width - size);
    if (!best || distance < bestDistance || (distance == bestDistance && bits > bestBits)) {
      best = e;
      bestDistance = distance;
      bestBits = bits;
    }
  }
  if (!best) return nullptr;
  // CreateIconFromResourceEx may write to the image; it gets a copy.
  const uint32_t bytes = U32(best + 8), offset = U32(best + 12);
  std::vector<uint8_t> image(data.begin() + offset, data.begin() + offset + bytes);
  return CreateIconFromResourceEx(image.data(), bytes, TRUE, 0x00030000, size, size, LR_DEFAULTCOLOR);
}
