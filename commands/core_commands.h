// The core library's commands for texts, conversions, the registry, files
// and message boxes. Each is a CommandFn: the caller zero-fills the result,
// passes one ArgValue per declared parameter (an omitted optional one has
// type 0) and owns whatever block the result holds. Arguments are borrowed.
// An empty text or byte-set result is null; an empty text array is still a
// block (one dimension of size 0).
#pragma once

#include "runtime/value.h"

// Texts and conversions.
CommandFunction TextLength;      // (text) -> integer
CommandFunction LeftText;        // (text, count) -> text
CommandFunction ValueToInteger;  // (any) -> integer
CommandFunction SplitText;       // (text[, delimiter][, max]) -> text array
CommandFunction ValueToBytes;    // (any) -> byte set
CommandFunction LeftBytes;       // (byte set, count) -> byte set
CommandFunction ValueToText;     // (any) -> text

// System commands.
// (root number, "key\\path\\value name"[, default]) -> text
CommandFunction ReadRegistryText;
// (file name, byte set...) -> logical: 1 only when every byte was written
CommandFunction WriteToFile;
// (content, style[, title][, owner]) -> integer: OK 0, Cancel 1 ... No 6
CommandFunction InfoBox;

// The integer a text spells: full-width forms folded, leading white space
// skipped, an optional sign, decimal digits accumulated in 32 bits (wrapping).
int32_t TextToInteger(const char* text);
