// The SQLite support library (library number 1): its notify entry, its
// descriptor for the program header, and the runtime services that both
// database units reach through the RuntimeNotify callback.
#pragma once

#include <cstdint>

#include "runtime/runtime.h"
#include "runtime/value.h"

// The library's LibNotify. Code 1 keeps p1 as the RuntimeNotify callback
// (null forgets it) and answers 0; code 6 answers 0; anything else -1.
intptr_t DatabaseLibNotify(int code, intptr_t p1, intptr_t p2);

// Descriptor for ProgramHeader's library list (no unit types of its own:
// the two database types are non-visual objects).
const LibraryInfo& DatabaseLibrary();

// The program lists this library second; its two object types' TypeCodes.
inline constexpr int kDatabaseLibraryNumber = 1;
inline constexpr uint32_t kSqliteDbTypeCode = UnitTypeCode(kDatabaseLibraryNumber, 0);
inline constexpr uint32_t kSqliteTableTypeCode = UnitTypeCode(kDatabaseLibraryNumber, 1);

namespace db {

// A request to the runtime through the kept callback; 0 before the library
// was greeted, as if the runtime had answered 0.
intptr_t AskRuntime(int code, intptr_t p1, intptr_t p2);

// A result block from the runtime allocator (RuntimeNotify 2024, flag 0: the
// runtime ends the program if it cannot serve it). Null only when the
// library has no callback yet; callers then report failure.
void* AllocResultBlock(uint32_t size);
// Gives a block back to the runtime (RuntimeNotify 2025); null is ignored.
void ReleaseResultBlock(void* block);

}  // namespace db
