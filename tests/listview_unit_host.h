// A stand-in for the unit framework's side of RuntimeNotify, for tests that
// drive units without a whole program: a real top-level parent window that
// reflects WM_NOTIFY and WM_COMMAND to its child controls, unit resolution
// (2007) from the units the test created, and a record of fired events
// (2008) and destruction notices (2000).
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <utility>
#include <vector>

#include "runtime/runtime.h"
#include "ui/template/listview_blob.h"
#include "ui/unit_type.h"

inline constexpr uint32_t kTestWindowId = 0x52010001;

struct RecordedEvent {
  uint32_t windowId;
  uint32_t unitId;
  int event;
  std::vector<uint32_t> args;
};

class UnitTestHost {
 public:
  UnitTestHost();   // installs the host and shows the parent window
  ~UnitTestHost();  // destroys the parent (and every unit) and uninstalls
  UnitTestHost(const UnitTestHost&) = delete;
  UnitTestHost& operator=(const UnitTestHost&) = delete;

  HWND parent() const { return parent_; }
  // Through the type's create operation; null when creation failed.
  UnitObject* Create(const UnitTypeInfo& type, const Bytes& blob, uint32_t unitId,
                     RECT place = {10, 10, 370, 330});

  std::vector<RecordedEvent> events;
  std::vector<std::pair<uint32_t, uint32_t>> destroyed;
  // What the "handler" of an event returns; events not listed return none.
  std::map<int, int32_t> answers;
  // Runs inside the event, as a handler would.
  std::function<void(const RecordedEvent&)> during;

  intptr_t Notify(int code, intptr_t p1, intptr_t p2);

 private:
  HWND parent_ = nullptr;
  std::map<std::pair<uint32_t, uint32_t>, UnitObject*> units_;
  UINT nextControlId_ = 100;
};

// Runs the message loop of this thread for `ms` milliseconds, or until
// `done` answers true; answers whether it did.
bool PumpMessages(int ms, const std::function<bool()>& done = nullptr);

// Calls a command with the unit reference as argument 0.
ArgValue CallUnitCommand(CommandFn fn, const UnitObject* unit, uint32_t type,
                         std::vector<ArgValue> args = {});

// Operations through the type's lookup, as the framework calls them.
int SetUnitProperty(const UnitTypeInfo& type, UnitObject* unit, int index, PropValue value);
PropValue GetUnitProperty(const UnitTypeInfo& type, UnitObject* unit, int index);
Bytes GetAllUnitProperties(const UnitTypeInfo& type, UnitObject* unit);
