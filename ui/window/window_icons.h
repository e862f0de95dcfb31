// Window icons: from the icon property's data (an .ico file image), or the
// program's own icon resource "DEFAULT_ICON", loaded once per run and
// shared by every window until the framework shuts down.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

// The shared default icon, 32 x 32 (big) or 16 x 16; null when the
// program carries no "DEFAULT_ICON".
HICON DefaultIcon(bool big);
// An icon of about size x size pixels from .ico file data; null when the
// data is not a readable icon. The caller destroys it.
HICON IconFromData(const std::vector<uint8_t>& data, int size);
