#include "listview_unit_host.h"

#include <gtest/gtest.h>

#include "runtime/heap.h"

namespace {

UnitTestHost* g_host;

intptr_t HostNotify(int code, intptr_t p1, intptr_t p2) { return g_host ? g_host->Notify(code, p1, p2) : 0; }

const WindowHost kWindowHost = {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &HostNotify, nullptr};

// As the framework's windows do: notifications go back to the control that
// sent them, and for WM_NOTIFY the control's answer is the parent's.
LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NOTIFY) {
    auto h = reinterpret_cast<NMHDR*>(lp);
    if (h->hwndFrom && GetParent(h->hwndFrom) == hwnd)
      return SendMessageA(h->hwndFrom, kReflectBase + WM_NOTIFY, wp, lp);
  }
  if (msg == WM_COMMAND && lp) SendMessageA(reinterpret_cast<HWND>(lp), kReflectBase + WM_COMMAND, wp, lp);
  return DefWindowProcA(hwnd, msg, wp, lp);
}

constexpr char kParentClass[] = "UnitTestParent";

template <typename Fn>
Fn Operation(const UnitTypeInfo& type, int op) {
  return reinterpret_cast<Fn>(type.lookup(op));
}

}  // namespace

UnitTestHost::UnitTestHost() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = &ParentProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kParentClass;
  RegisterClassA(&wc);  // fails harmlessly when a previous test registered it
  parent_ = CreateWindowExA(0, kParentClass, "unit test", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 400,
                            400, nullptr, nullptr, wc.hInstance, nullptr);
  ShowWindow(parent_, SW_SHOW);
  SetForegroundWindow(parent_);
  g_host = this;
  RtSetWindowHost(&kWindowHost);
  PumpMessages(20);
}

UnitTestHost::~UnitTestHost() {
  DestroyWindow(parent_);
  PumpMessages(10);
  RtSetWindowHost(nullptr);
  g_host = nullptr;
}

UnitObject* UnitTestHost::Create(const UnitTypeInfo& type, const Bytes& blob, uint32_t unitId, RECT r) {
  auto create = Operation<CreateOp>(type, kOpCreate);
  UnitObject* unit = create(blob.data(), static_cast<int32_t>(blob.size()), 0, parent_, nextControlId_,
                            nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, kTestWindowId,
                            unitId, 0, 0);
  nextControlId_ += 10;
  if (unit) {
    units_[{kTestWindowId, unitId}] = unit;
    if (type.flags & kTypeFlagNoWindow) ShowWindow(unit->hwnd, SW_HIDE);
    else ShowWindow(unit->hwnd, SW_SHOWNA);
  }
  return unit;
}

intptr_t UnitTestHost::Notify(int code, intptr_t p1, intptr_t p2) {
  switch (code) {
    case kNotifyResolveUnitMandatory: {
      auto it = units_.find({static_cast<uint32_t>(p1), static_cast<uint32_t>(p2)});
      if (it == units_.end()) {
        ADD_FAILURE() << "resolve of a unit that does not exist: " << std::hex << p1 << " " << p2;
        return 0;
      }
      return reinterpret_cast<intptr_t>(it->second);
    }
    case kNotifyFireEvent: {
      auto request = reinterpret_cast<EventRequest*>(p1);
      RecordedEvent e{request->windowId, request->unitId, request->event,
                      std::vector<uint32_t>(request->args, request->args + request->argc)};
      events.push_back(e);
      if (during) during(e);
      auto answer = answers.find(request->event);
      if (answer != answers.end()) {
        request->answered = 1;
        request->answer = answer->second;
      }
      return 1;
    }
    case kNotifyDestroyed:
      destroyed.emplace_back(static_cast<uint32_t>(p1), static_cast<uint32_t>(p2));
      units_.erase({static_cast<uint32_t>(p1), static_cast<uint32_t>(p2)});
      return 0;
    default:
      return 0;
  }
}

bool PumpMessages(int ms, const std::function<bool()>& done) {
  DWORD start = GetTickCount();
  for (;;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (done && done()) return true;
    if (GetTickCount() - start >= static_cast<DWORD>(ms)) return !done;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

ArgValue CallUnitCommand(CommandFn fn, const UnitObject* unit, uint32_t type, std::vector<ArgValue> args) {
  args.insert(args.begin(), UnitRef(unit->windowId, unit->unitId, type));
  ArgValue result{};
  fn(&result, static_cast<int>(args.size()), args.data());
  return result;
}

int SetUnitProperty(const UnitTypeInfo& type, UnitObject* unit, int index, PropValue value) {
  return Operation<SetPropertyOp>(type, kOpSetProperty)(unit, index - 8, &value, nullptr);
}

PropValue GetUnitProperty(const UnitTypeInfo& type, UnitObject* unit, int index) {
  PropValue v{};
  EXPECT_EQ(Operation<GetPropertyOp>(type, kOpGetProperty)(unit, index - 8, &v), 1) << "property " << index;
  return v;
}

Bytes GetAllUnitProperties(const UnitTypeInfo& type, UnitObject* unit) {
  uint8_t* blob = nullptr;
  int32_t length = 0;
  if (!Operation<GetAllPropertiesOp>(type, kOpGetAllProperties)(unit, &blob, &length)) return {};
  Bytes out(blob, blob + length);
  RtFree(blob);
  return out;
}
