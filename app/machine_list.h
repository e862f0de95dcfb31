// Reading the server's machines into the list view.
#pragma once

#include <cstdint>

// Reads table "tPcBaseInfo" of DatabasePath into Machines and the list view,
// then shows the total. Appends; the database is closed again on return.
void LoadMachines();
// Empties Machines, the list view, SelectedRows and both count captions,
// then runs LoadMachines on the current DatabasePath.
void ReloadMachines();
// The four low-order bytes of value in decimal, most significant first,
// joined by ".". A new text.
char* FormatIpv4(int64_t value);
