// The core library's commands for texts, conversions, the registry, files
// and message boxes. Each is a CommandFn: the caller zero-fills the result,
// passes one ArgValue per declared parameter (an omitted optional one has
// type 0) and owns whatever block the result holds. Arguments are borrowed.
// An empty text or byte-set result is null; an empty text array is still a
// block (one dimension of size 0).
#pragma once

#include "runtime/value.h"

// Texts and conversions.
void TextLength(ArgValue* result, int argc, ArgValue* args);      // (text) -> integer
void LeftText(ArgValue* result, int argc, ArgValue* args);        // (text, count) -> text
void ValueToInteger(ArgValue* result, int argc, ArgValue* args);  // (any) -> integer
void SplitText(ArgValue* result, int argc, ArgValue* args);       // (text[, delimiter][, max]) -> text array
void ValueToBytes(ArgValue* result, int argc, ArgValue* args);    // (any) -> byte set
void LeftBytes(ArgValue* result, int argc, ArgValue* args);       // (byte set, count) -> byte set
void ValueToText(ArgValue* result, int argc, ArgValue* args);     // (any) -> text

// System commands.
// (root number, "key\\path\\value name"[, default]) -> text
void ReadRegistryText(ArgValue* result, int argc, ArgValue* args);
// (file name, byte set...) -> logical: 1 only when every byte was written
void WriteToFile(ArgValue* result, int argc, ArgValue* args);
// (content, style[, title][, owner]) -> integer: OK 0, Cancel 1 ... No 6
void InfoBox(ArgValue* result, int argc, ArgValue* args);

// The integer a text spells: full-width forms folded, leading white space
// skipped, an optional sign, decimal digits accumulated in 32 bits (wrapping).
int32_t TextToInteger(const char* text);
