// The machine's fields, described once. Loading reads them from here, the
// record copies and frees their texts, the list fills its columns from
// them. A field's position in the table is its list column and its item in
// the three field-order drop-downs; the item after the last field, "无",
// names a column that does not exist and so exports as an empty field.
//
// The window template (main_window_template.cpp) spells the column titles,
// widths and drop-down items out, since it is frozen at compile time;
// app_test checks that it agrees with this table.
#pragma once

#include <cstddef>
#include <iterator>

#include "app/globals.h"

// How a field's stored text becomes the record's text.
enum class FieldFormat {
  kAsStored,
  kIpv4,  // a 32-bit integer, least significant byte the first octet
};

struct MachineField {
  const char* dbName;  // field of table "tPcBaseInfo"
  const char* title;   // list column title and drop-down item
  int columnWidth;     // pixels
  char* MachineRecord::*member;
  FieldFormat format;
};

inline constexpr MachineField kMachineFields[] = {
    {"MACHINE", "机器名", 110, &MachineRecord::Name, FieldFormat::kAsStored},
    {"mac", "MAC", 118, &MachineRecord::Mac, FieldFormat::kAsStored},
    {"ip", "IP", 128, &MachineRecord::Ip, FieldFormat::kIpv4},
};
inline constexpr int kMachineFieldCount = static_cast<int>(std::size(kMachineFields));
static_assert(sizeof(MachineRecord) == kMachineFieldCount * sizeof(char*),
              "every member of MachineRecord is a field of the table");

// The field whose empty text ends the list (the loop test of every record).
inline constexpr const MachineField& kNameField = kMachineFields[0];

// The order in which a record's fields are read after the name test: the
// address first, so that a busy server sees the queries it always saw.
inline constexpr int kFieldReadOrder[] = {2, 0, 1};
static_assert(std::size(kFieldReadOrder) == kMachineFieldCount);

// The drop-downs' last item, after the fields.
inline constexpr const char* kNoFieldItem = "无";
