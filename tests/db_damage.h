// Damaging a database file the way a failing disk would, for tests that
// need a read to fail on a record the row-id snapshot could still see.
#pragma once

#include <string>

namespace dbtest {

// Overwrites the first four bytes of every page from firstPage (1-based) to
// the end of the file with 0xFF. On an overflow page those bytes are the
// next page's number, so a read that follows the chain meets a page beyond
// the file: SQLite reports the file as damaged. The page size is taken from
// the file's header. False when the file cannot be read or written.
bool PoisonPagesFrom(const std::string& path, int firstPage);

}  // namespace dbtest
