// The program's descriptor, entry routine and start-up routine.
#pragma once

#include "runtime/runtime.h"

const ProgramHeader& ProgramDescriptor();
// The constant empty array header that array variables start from.
const RtArray* EmptyArrayTemplate();
int ProgramEntry();
int StartupRoutine();
