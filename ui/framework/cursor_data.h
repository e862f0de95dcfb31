// Mouse-cursor property data (common property 7): the first 32-bit word
// selects the cursor. The program numbers the standard cursors 1, 2, 3 ...
// while the record stores the system's cursor ids (IDC_*); 0 is the
// default cursor in both. Data of fewer than 4 bytes passes unchanged.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

std::vector<uint8_t> CursorDataForProgram(const std::vector<uint8_t>& stored);
std::vector<uint8_t> CursorDataForStore(const std::vector<uint8_t>& program);
// The cursor the stored data selects; null for the default cursor and for
// data that selects nothing known. The caller destroys it.
HCURSOR LoadCursorFromData(const std::vector<uint8_t>& stored);
