// The core library (library 0 of the program): the runtime's basic unit
// types, at their type numbers.
#pragma once

#include <cstdint>

#include "runtime/runtime.h"
#include "ui/unit_type.h"

const LibraryInfo& CoreLibrary();

// The TypeCodes of the library's types that this runtime builds: each type
// at its number in the library.
enum CoreTypeCode : uint32_t {
  kWindowTypeCode = UnitTypeCode(kCoreLibraryNumber, 0),
  kEditBoxTypeCode = UnitTypeCode(kCoreLibraryNumber, 4),
  kLabelTypeCode = UnitTypeCode(kCoreLibraryNumber, 9),
  kButtonTypeCode = UnitTypeCode(kCoreLibraryNumber, 10),
  kComboBoxTypeCode = UnitTypeCode(kCoreLibraryNumber, 13),
  kCommonDialogTypeCode = UnitTypeCode(kCoreLibraryNumber, 30),
};
