// The core library (library 0 of the program): the runtime's basic unit
// types, at their type numbers.
#pragma once

#include "runtime/runtime.h"

const LibraryInfo& CoreLibrary();
