// The performance counter, for bounds and waits finer than the 10 to 16 ms
// steps of GetTickCount.
#pragma once

#include <windows.h>

#include <cstdint>

namespace db {

inline int64_t NowTicks() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

inline int64_t TicksPerSecond() {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return frequency.QuadPart;
}

}  // namespace db
