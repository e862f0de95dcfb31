// The machine's address as the list shows it.
#pragma once

#include <cstdint>

// The four low-order bytes of value in decimal, most significant first,
// joined by ".". A new text.
char* FormatIpv4(int64_t value);
// The dotted address of a stored "ip" text: the text read as a 32-bit
// integer (empty or not a number gives 0), its bytes from the least
// significant to the most significant. A new text.
char* IpTextOfField(const char* fieldText);
