// How a unit type plugs into the unit framework: its type descriptor, its
// property table and its operations. The framework never knows a unit's
// internals; it calls these operations and reads the common head below.
//
// One shape for every unit type:
//  - its object derives from UnitObject and hangs off its window in
//    GWLP_USERDATA; its own window procedure reads it from there (the class
//    procedure of the runtime's own classes, a replaced one on a system
//    class, whose procedure is kept in baseProc); see
//    ui/framework/unit_window.h;
//  - it is created from one record of the create operation's arguments
//    (ui/framework/unit_creation.h); its font, text colour and background
//    colour are the framework's UnitLook (ui/framework/unit_look.h);
//  - its operations switch on the full property numbers that its header
//    exports (PropertyNumber below), taking the unit as its own type
//    (ui/framework/typed_operations.h), and it raises the events its header
//    names;
//  - its descriptor is built by UnitType (ui/framework/unit_operations.h)
//    from its names, its flags by name, its own property table, its look
//    and its operations.
// A new unit type is its folder under ui/ (object, operations, property
// table), its blob format under ui/template/, and its type code and one
// line in its library (ui/core_library.h and .cpp).
#pragma once

#include <windows.h>

#include <cstdint>
#include <type_traits>

#include "runtime/value.h"

// The core library is always the first of the program's list.
inline constexpr int kCoreLibraryNumber = 0;
// The menu (core type number 2) has no unit type here: its records only
// carry menu words, and a menu value passed to a typed event takes 8 bytes.
inline constexpr uint32_t kMenuTypeCode = UnitTypeCode(kCoreLibraryNumber, 2);

// The eight properties every unit has, handled by the framework; a type's
// own properties are numbered from kFirstTypeProperty on.
enum CommonProperty : int {
  kCommonLeft = 0, kCommonTop, kCommonWidth, kCommonHeight, kCommonTag, kCommonVisible,
  kCommonDisabled, kCommonCursor,
  kFirstTypeProperty = 8,
};

// The type operations get a type property's index (property number less
// kFirstTypeProperty); they switch on the number.
constexpr int PropertyNumber(int typeIndex) { return kFirstTypeProperty + typeIndex; }

// The events every unit that raises events has, numbered below zero; a
// type's own events are numbered from 0 on.
enum CommonEvent : int {
  kEventMouseDown = -1, kEventMouseUp = -2, kEventDoubleClick = -3, kEventRightDown = -4,
  kEventRightUp = -5, kEventMouseMove = -6, kEventGotFocus = -7, kEventLostFocus = -8,
  kEventKeyDown = -9, kEventKeyUp = -10, kEventChar = -11, kEventWheel = -12,
};

// Property types (PropertyInfo::type).
enum : uint16_t {
  kPropInt = 1000, kPropInt2 = 1001, kPropDouble = 1002, kPropBool = 1003,
  kPropDateTime = 1004, kPropText = 1005, kPropPickList = 1006,
  kPropText2 = 1007, kPropText3 = 1008, kPropPicture = 1009, kPropIcon = 1010,
  kPropCursor = 1011, kPropSound = 1012, kPropFont = 1013, kPropColor = 1014,
  kPropColorOrTransparent = 1015, kPropText4 = 1016, kPropColorOrDefault = 1017,
  kPropText5 = 1018, kPropText6 = 1019, kPropText7 = 1020, kPropBytes2 = 1023,
  kPropBytes3 = 1024,
};

// 20 bytes, as in the libraries' tables.
struct PropertyInfo {
  const char* name;
  const char* englishName;
  const char* description;
  uint16_t type;
  uint16_t state;  // 0xE000 common, 0x8000 type property; bit 0 = not settable at design time
  const char* pickList;
};
#ifdef RT_TARGET_X86
static_assert(sizeof(PropertyInfo) == 20);
#endif

// Type flags (UnitTypeInfo::flags).
enum : uint32_t {
  kTypeFlagEvents2 = 0x04,          // the type raises events (either bit)
  kTypeFlagWantsMessages = 0x20,    // its message filter sees its window's messages first
  kTypeFlagEvents = 0x40,
  kTypeFlagContainer = 0x100,       // its record's children list applies
  kTypeFlagNoWindow = 0x8000,       // no window of its own at run time: no style bits, never Tab
  kTypeFlagNoTab = 0x10000,         // never takes the Tab focus
  kTypeFlagDragsWindow = 0x4000000, // a left press on it drags the window (window property 27)
  // It answers to the mnemonic letter of its caption: the key toggles its
  // check state, checks it among its siblings, or clicks it (each then
  // fires its event 0), else moves the focus to it.
  kTypeFlagMnemonicToggles = 0x1000,
  kTypeFlagMnemonicChecks = 0x400,
  kTypeFlagMnemonicClicks = 0x800,
  kTypeFlagMnemonicFocus = 0x2000,
  kTypeFlagMnemonicFires = kTypeFlagMnemonicToggles | kTypeFlagMnemonicChecks | kTypeFlagMnemonicClicks,
  kTypeFlagMnemonic = 0x7C00,
  // Bits that this runtime never reads, kept as the types carry them:
  // every unit type has the top bit; only the window has 0x10 and 0x80,
  // only the combo box 0x200.
  kTypeFlagUnitType = 0x80000000,
  kTypeFlagWindowBits = 0x90,
  kTypeFlagComboBit = 0x200,
};

// The common head of every live unit object (window units included): the
// framework reads the control window and the identifiers from here.
struct UnitObject {
  HWND hwnd;
  uint32_t windowId;
  uint32_t unitId;
  // The procedure under the unit's own: a system class's, or DefWindowProcW.
  WNDPROC baseProc = nullptr;
};

// A property value as it crosses the type operations:
//  integer, pick-list, logical, colour: i32 / u32;
//  double, date-time: f64;
//  text: `text`, NUL-terminated GBK (set: borrowed, never null; get: owned
//        by the unit, the framework copies it; null reads as empty);
//  bytes, picture, icon, sound, cursor, font: `data` and `length` (set:
//        borrowed; get: owned by the unit, copied; length 0 = empty).
struct PropValue {
  union {
    uint64_t u64;
    int32_t i32;
    uint32_t u32;
    double f64;
    const char* text;
    const uint8_t* data;
  };
  int32_t length;
};

using CreateOp = UnitObject* (*)(const uint8_t* blob, int32_t length, uint32_t style,
                                 HWND parent, UINT controlId, HMENU menu, int left,
                                 int top, int width, int height, uint32_t windowId,
                                 uint32_t unitId, int design, int reserved);
// Answers 1 when the unit must be re-created to show the change.
using SetPropertyOp = int (*)(UnitObject* unit, int typeIndex, const PropValue* value, void* reserved);
// A new blob (RtAlloc) in the highest version of the type's layout.
using GetAllPropertiesOp = bool (*)(UnitObject* unit, uint8_t** blob, int32_t* length);
// Answers 1 when the index is known.
using GetPropertyOp = int (*)(UnitObject* unit, int typeIndex, PropValue* value);
using KeyClaimOp = int (*)(UnitObject* unit, int virtualKey);
using IsDefaultButtonOp = int (*)(UnitObject* unit);
using MessageFilterOp = int (*)(UnitObject* unit, MSG* msg);
using OperationLookup = void* (*)(int operation);

// An operation's number for UnitTypeInfo::lookup, with the signature of
// the function that the lookup answers for it.
template <class Op, int kNumber>
struct UnitOperation {
  constexpr operator int() const { return kNumber; }
};
inline constexpr UnitOperation<CreateOp, 1> kOpCreate;
inline constexpr UnitOperation<SetPropertyOp, 4> kOpSetProperty;
inline constexpr UnitOperation<GetAllPropertiesOp, 5> kOpGetAllProperties;
inline constexpr UnitOperation<GetPropertyOp, 6> kOpGetProperty;
inline constexpr UnitOperation<KeyClaimOp, 8> kOpKeyClaim;
// 9 converts the texts of a blob; no type of this runtime offers it.
inline constexpr UnitOperation<IsDefaultButtonOp, 10> kOpIsDefaultButton;
inline constexpr UnitOperation<MessageFilterOp, 11> kOpMessageFilter;

// The same signatures as function types, for declaring a type's operations
// where they are defined in several files: `SetPropertyFunction SetListViewProperty;`.
using SetPropertyFunction = std::remove_pointer_t<SetPropertyOp>;
using GetAllPropertiesFunction = std::remove_pointer_t<GetAllPropertiesOp>;
using GetPropertyFunction = std::remove_pointer_t<GetPropertyOp>;

struct UnitTypeInfo {
  const char* name;
  const char* englishName;
  const char* description;
  int32_t commandCount;
  const int32_t* commandIndexes;
  uint32_t flags;
  uint32_t pictureId;
  int32_t eventCount;
  const void* events;
  int32_t propertyCount;
  const PropertyInfo* properties;  // index 0 first: the 8 common ones, then the type's
  OperationLookup lookup;
  int32_t elementCount;
  const void* elements;
};

// The parent window reflects
// WM_COMMAND, WM_NOTIFY, WM_DRAWITEM, WM_CTLCOLOR* ... back to the child
// control as kReflectBase + message, with the original wParam and lParam.
// The unit answers the reflected message; for WM_NOTIFY its answer becomes
// the parent's answer.
enum : UINT { kReflectBase = 0x2000 };
// Private messages of the unit framework.
enum : UINT {
  kMsgGetUnitObject = 0x8002,    // answer: the UnitObject*, or 0
  kMsgUnitsCreated = 0x806F,     // to every unit, after creation
  kMsgWindowCreated = 0x8004,    // to the window, after creation
  kMsgWindowShown = 0x8076,      // to every unit, after the window is shown
  kMsgHiddenOwnerExit = 0x83E7,  // to the hidden owner window: RtExit(wParam)
  kMsgComboSettled = 0xA711,     // combo box: selection settled after CBN_SELENDOK
};
