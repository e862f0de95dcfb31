// The common dialog's "open" command, a core library command.
#pragma once

#include "runtime/value.h"

// Argument 0: the unit reference (WindowId low word, UnitId high word).
// Shows the dialog of the unit's kind and answers a logical: 1 when the user
// confirmed it (or the help request was carried out), else 0. A confirmed
// file dialog stores the chosen full path in property 10.
CommandFunction CommonDialogOpen;
