// The server's table through the program's MachineDb and MachineTable:
// opened for one load, read record by record, closed again.
#pragma once

// How the reads of a field or a record went, from best to worst.
enum class ReadState { kRead, kRowGone, kFailed };

// Opens DatabasePath and its table "tPcBaseInfo". False when either cannot
// be opened or the table lacks one of the machine's fields (then it is not
// the server's table, even when it has no rows to show it).
bool OpenMachineTable();
// Releases the cursor and the connection; harmless when nothing is open.
void CloseMachineTable();
// The cursor to the first record, or one record on; false past the end.
bool GoToFirstRecord();
bool SkipRecord();
// One field of the current record (a new text, null when empty); *worst
// keeps the worst read so far.
char* ReadField(const char* name, ReadState* worst);
