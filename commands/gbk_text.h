// Full-width folding of GBK texts (lead bytes as runtime/gbk_lead_byte.h
// says).
#pragma once

#include <cstdint>

#include "runtime/gbk_lead_byte.h"

// A new RtText holding the text with the full-width forms folded to ASCII:
// the ideographic space to a blank, A3A1..A3FE to 0x21..0x7E, A1AB to "~",
// A1EE and A1EF to "*". Blanks are left out when dropBlanks is set. A lone
// lead byte at the end is dropped. Null when the result is empty; the
// caller frees it with RtFree.
char* FoldFullWidth(const char* text, bool dropBlanks);
