// The program's descriptor and entry routine, handed to the runtime by
// WinMain.
#pragma once

#include "runtime/runtime.h"

const ProgramHeader& ProgramDescriptor();
int ProgramEntry();
