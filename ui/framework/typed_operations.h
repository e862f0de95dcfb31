// A basic unit type's operations written in its own terms: the unit as its
// own type and the property by its full number, as the type's header
// exports it. A unit with a `look` (unit_look.h) has the look's properties
// answered by the look, before its own operation sees them. Its blob, when
// it is re-created, is its props encoded as they are.
//
//   constexpr UnitOperations kOperations = TypedOperations<EditUnit, Create,
//       SetProperty, GetProperty, SyncFromControl>({.keyClaim = KeyClaim});
#pragma once

#include "ui/framework/unit_control.h"
#include "ui/framework/unit_operations.h"
#include "ui/template/blob_codec.h"
#include "ui/unit_type.h"

// `set` answers 1 when the unit must be re-created to show the change.
template <class Unit, int (*set)(Unit& unit, int property, const PropValue& v)>
int SetPropertyOf(UnitObject* object, int typeIndex, const PropValue* v, void*) {
  Unit& unit = *static_cast<Unit*>(object);
  const int property = PropertyNumber(typeIndex);
  if constexpr (requires { unit.look; })
    if (unit.look.Write(unit.hwnd, property, *v)) return 0;
  return set(unit, property, *v);
}

// `get` answers false for a property the type does not know.
template <class Unit, bool (*get)(Unit& unit, int property, PropValue* v)>
int GetPropertyOf(UnitObject* object, int typeIndex, PropValue* v) {
  Unit& unit = *static_cast<Unit*>(object);
  const int property = PropertyNumber(typeIndex);
  if constexpr (requires { unit.look; })
    if (unit.look.Read(property, v)) return 1;
  return get(unit, property, v) ? 1 : 0;
}

// The unit's props as a new blob in their highest layout, once `sync` (if
// any) has brought the control's live state into them.
template <class Unit, void (*sync)(Unit& unit) = nullptr>
bool AllPropertiesOf(UnitObject* object, uint8_t** blob, int32_t* length) {
  Unit& unit = *static_cast<Unit*>(object);
  if constexpr (sync != nullptr) sync(unit);
  return HandOverBlob(EncodeBlob(unit.props), blob, length);
}

// The type's operation table: create, set, get and get all as above, and
// the type's further operations given in `more`.
template <class Unit, UnitObject* (*create)(const UnitCreation& c),
          int (*set)(Unit& unit, int property, const PropValue& v),
          bool (*get)(Unit& unit, int property, PropValue* v), void (*sync)(Unit& unit) = nullptr>
constexpr UnitOperations TypedOperations(UnitOperations more = {}) {
  more.create = create;
  more.setProperty = SetPropertyOf<Unit, set>;
  more.getAllProperties = AllPropertiesOf<Unit, sync>;
  more.getProperty = GetPropertyOf<Unit, get>;
  return more;
}
