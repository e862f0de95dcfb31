// Property read and write by index; see properties.h. Type properties are
// converted here by their 16-bit property type, so that every unit type
// sees plain PropValues.
#include "ui/framework/properties.h"

#include <cstring>

#include "runtime/heap.h"
#include "runtime/runtime.h"
#include "ui/framework/cursor_data.h"
#include "ui/framework/font_value.h"
#include "ui/framework/recreate.h"
#include "ui/framework/unit_types.h"
#include "ui/framework/window_list.h"

namespace {

enum class Kind { Integer, Wide, Logical, Text, PickList, Bytes, Cursor, Font, Unknown };

Kind KindOf(uint16_t propertyType) {
  switch (propertyType) {
    case kPropInt: case kPropInt2: case kPropColor: case kPropColorOrTransparent:
    case kPropColorOrDefault:
      return Kind::Integer;
    case kPropDouble: case kPropDateTime: return Kind::Wide;
    case kPropBool: return Kind::Logical;
    case kPropText: case kPropText2: case kPropText3: case kPropText4: case kPropText5:
    case kPropText6: case kPropText7:
      return Kind::Text;
    case kPropPickList: return Kind::PickList;
    case kPropPicture: case kPropIcon: case kPropSound: case kPropBytes2: case kPropBytes3:
      return Kind::Bytes;
    case kPropCursor: return Kind::Cursor;
    case kPropFont: return Kind::Font;
    default: return Kind::Unknown;
  }
}

struct Target {
  LoadedWindow* win;
  UnitRecord* rec;
};

Target Locate(uint32_t windowId, uint32_t unitId) {
  LoadedWindow* win = FindLoadedWindow(windowId);
  if (!win) FatalReport("未载入欲访问窗口组件所在的窗口", 0);
  UnitRecord* rec = win->Record(unitId);
  if (!rec) FatalReport("指定窗口或窗口组件不存在或尚未载入", 0);
  return {win, rec};
}

const UnitTypeInfo* LiveType(const UnitRecord& rec) {
  if (!IsLive(rec)) FatalReport("指定窗口尚未载入", 0);
  return TypeInfoFor(rec.type);
}

// The unit's current value of a type property (zeroed when unknown).
PropValue GetTypeValue(const UnitTypeInfo* type, UnitRecord& rec, int index) {
  PropValue v{};
  auto get = TypeOperation(type, kOpGetProperty);
  if (get && !get(rec.object, index - kFirstTypeProperty, &v)) v = PropValue{};
  return v;
}

std::vector<uint8_t> BytesOf(uint64_t value) {
  void* first = nullptr;
  int32_t n = RtArrayCountOrNull(static_cast<const RtArray*>(PointerOf(value)), &first);
  if (n <= 0) return {};
  return std::vector<uint8_t>(static_cast<uint8_t*>(first), static_cast<uint8_t*>(first) + n);
}

}  // namespace

uint64_t ReadProperty(uint32_t windowId, uint32_t unitId, int index, int element) {
  Target t = Locate(windowId, unitId);
  UnitRecord& rec = *t.rec;
  if (rec.isMenuItem) return ReadMenuItemProperty(rec, index);
  if (index < 0) return 0;
  if (index < kFirstTypeProperty) return ReadCommonProperty(rec, index);

  const UnitTypeInfo* type = LiveType(rec);
  const uint16_t propertyType = PropertyTypeOf(type, index);
  if (propertyType == 0) return 0;
  PropValue v = GetTypeValue(type, rec, index);
  switch (KindOf(propertyType)) {
    case Kind::Integer:
    case Kind::PickList: return v.u32;
    case Kind::Wide: return v.u64;
    case Kind::Logical: return v.i32 == 1 ? 1 : 0;
    case Kind::Text: return ValueOf(RtCopyText(v.text));
    case Kind::Bytes: return ValueOf(RtNewBytes(v.data, v.data ? v.length : 0));
    case Kind::Cursor: {
      std::vector<uint8_t> stored(v.data, v.data + (v.data && v.length > 0 ? v.length : 0));
      std::vector<uint8_t> program = CursorDataForProgram(stored);
      return ValueOf(RtNewBytes(program.data(), static_cast<int32_t>(program.size())));
    }
    case Kind::Font: return ReadFontValue(FontOrDefault(v.data, v.length), element);
    case Kind::Unknown: break;
  }
  return 0;
}

void WriteProperty(uint32_t windowId, uint32_t unitId, int index, int element, uint64_t value) {
  Target t = Locate(windowId, unitId);
  UnitRecord& rec = *t.rec;
  if (rec.isMenuItem) return WriteMenuItemProperty(rec, index, value);
  if (index < 0) return;
  if (index < kFirstTypeProperty) return WriteCommonProperty(rec, t.win->tmpl->RecordAt(0) == &rec, index, value);

  const UnitTypeInfo* type = LiveType(rec);
  const uint16_t propertyType = PropertyTypeOf(type, index);
  auto set = TypeOperation(type, kOpSetProperty);
  if (propertyType == 0 || !set) return;

  PropValue v{};
  std::vector<uint8_t> bytes;  // converted data, alive for the call
  bool byBytes = false;
  switch (KindOf(propertyType)) {
    case Kind::Integer: v.i32 = static_cast<int32_t>(value); break;
    case Kind::Wide: v.u64 = value; break;
    case Kind::Logical: v.i32 = value != 0 ? 1 : 0; break;
    case Kind::Text: {
      const char* text = static_cast<const char*>(PointerOf(value));
      v.text = text ? text : "";
      break;
    }
    case Kind::PickList: v.i32 = static_cast<int32_t>(value) < 0 ? 0 : static_cast<int32_t>(value); break;
    case Kind::Bytes: bytes = BytesOf(value), byBytes = true; break;
    case Kind::Cursor: bytes = CursorDataForStore(BytesOf(value)), byBytes = true; break;
    case Kind::Font: {
      // One field changes the unit's current font; the whole record replaces it.
      PropValue current = element == -1 ? PropValue{} : GetTypeValue(type, rec, index);
      LOGFONTA font = FontOrDefault(current.data, current.length);
      if (WriteFontValue(font, element, value)) {
        const auto* p = reinterpret_cast<const uint8_t*>(&font);
        bytes.assign(p, p + sizeof font);
      }
      byBytes = true;
      break;
    }
    case Kind::Unknown: return;
  }
  if (byBytes) {
    v.data = bytes.empty() ? nullptr : bytes.data();
    v.length = static_cast<int32_t>(bytes.size());
  }
  if (set(rec.object, index - kFirstTypeProperty, &v, nullptr) == 1 && IsLive(rec))
    RecreateUnit(*t.win, rec);
}

uint64_t RtReadProperty(uint32_t windowId, uint32_t unitId, int index, int element) {
  return ReadProperty(windowId, unitId, index, element);
}

void RtWriteProperty(uint32_t windowId, uint32_t unitId, int index, int element, uint32_t lo, uint32_t hi) {
  WriteProperty(windowId, unitId, index, element, static_cast<uint64_t>(hi) << 32 | lo);
}
