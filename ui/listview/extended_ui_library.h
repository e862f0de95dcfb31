// The extended user-interface library: library 2 of the program, whose only
// unit type in use is the list view (type number 3).
#pragma once

#include <cstdint>

#include "runtime/runtime.h"

const LibraryInfo& ExtendedUiLibrary();

// The program lists this library third.
inline constexpr int kExtendedUiLibraryNumber = 2;
inline constexpr uint32_t kListViewTypeCode = UnitTypeCode(kExtendedUiLibraryNumber, 3);

// The RuntimeNotify callback that the runtime handed the library at start-up
// (LibNotify code 1). Before that every request answers 0.
intptr_t ExtendedUiNotify(int code, intptr_t p1, intptr_t p2);
