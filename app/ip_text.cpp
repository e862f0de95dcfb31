// The server stores an address as a 32-bit integer whose least significant
// byte is the first octet: FormatIpv4 writes the bytes most significant
// first, and the pieces are then taken in reverse.
#include "app/ip_text.h"

#include "app/runtime_calls.h"
#include "commands/core_commands.h"

namespace {

// Piece k (1-based) of a text array.
const char* Piece(RtArray* pieces, int k) { return *static_cast<char**>(RtElementAt(pieces, k, kPtrWidth)); }

void FreeTextArray(RtArray* a) {
  void* first;
  int32_t count = RtArrayCountOrNull(a, &first);
  for (int32_t i = 0; i < count; i++) RtFree(static_cast<char**>(first)[i]);
  RtFree(a);
}

}  // namespace

char* FormatIpv4(int64_t value) {
  auto all = AsArray(CallCore(ValueToBytes, {LongArg(value)}));
  auto low = AsArray(CallCore(LeftBytes, {BytesArg(all), IntArg(4)}));
  RtFree(all);
  char* text = nullptr;
  for (int k = 4; k >= 1; k--) {
    ArgValue byte{};
    byte.v.u8 = *static_cast<uint8_t*>(RtElementAt(low, k, 1));
    byte.type = kTypeByte;
    char* number = AsText(CallCore(ValueToText, {byte}));
    Assign(text, RtConcat({text, number, "."}));
    RtFree(number);
  }
  RtFree(low);
  int32_t length = AsInt(CallCore(TextLength, {TextArg(text)}));
  char* result = AsText(CallCore(LeftText, {TextArg(text), IntArg(length - 1)}));
  RtFree(text);
  return result;
}

char* IpTextOfField(const char* fieldText) {
  int32_t ip = AsInt(CallCore(ValueToInteger, {TextArg(fieldText ? fieldText : "")}));
  char* dotted = FormatIpv4(ip);
  auto pieces = AsArray(CallCore(SplitText, {TextArg(dotted ? dotted : ""), TextArg("."), OmittedArg()}));
  RtFree(dotted);
  // Always four pieces: FormatIpv4 writes four numbers.
  char* text = RtConcat({Piece(pieces, 4), ".", Piece(pieces, 3), ".", Piece(pieces, 2), ".", Piece(pieces, 1)});
  FreeTextArray(pieces);
  return text;
}
