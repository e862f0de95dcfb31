// The program-wide variables: created by InitGlobals at start, released by
// ReleaseGlobals (a cleanup routine) at normal shutdown.
#pragma once

#include <vector>

#include "runtime/value.h"

// The application's one data type: three texts, in this member order.
struct MachineRecord {
  char* Name;  // field "MACHINE"
  char* Ip;    // dotted text built from field "ip"
  char* Mac;   // field "mac"
};

extern RtArray* SelectedRows;     // integer array: selected list rows, 0-based
extern char* DatabasePath;        // full path of the database file
extern void* MachineTable;        // 40-byte SqliteTable object storage
extern void* MachineDb;           // 40-byte SqliteDB object storage
extern MachineRecord* CurrentMachine;
extern RtArray* Machines;         // array of MachineRecord blocks

void InitGlobals();
void ReleaseGlobals();

// A new record block holding copies of the three texts (null stays null).
MachineRecord* CopyMachineRecord(const MachineRecord& r);
// Appends the records (taking them over) to Machines, growing it once.
void AppendMachines(const std::vector<MachineRecord*>& records);
// Frees every record of Machines and leaves it an empty array.
void EmptyMachines();
