// InfoBox: a message box with the content as its text. Task-modal unless
// the caller asks for system-modal, so the program's other windows stay
// disabled while it shows even when no owner is given.
#include <windows.h>

#include "commands/core_commands.h"
#include "commands/number_text.h"
#include "runtime/arg_read.h"
#include "runtime/gbk_boundary.h"
#include "runtime/runtime.h"
#include "ui/unit_type.h"
#include "ui/window/window_unit.h"

namespace {

// The owner: a window unit reference resolves to its window's handle; an
// integer is taken as a handle; anything else means no owner.
HWND OwnerOf(const ArgValue& a) {
  if (a.type == kWindowTypeCode) {
    auto unit = reinterpret_cast<UnitObject*>(RuntimeNotify(kNotifyResolveUnit, a.v.w.lo, a.v.w.hi));
    return unit ? unit->hwnd : nullptr;
  }
  if (a.type == kTypeInt)  // window handles are sign-extended 32-bit values
    return reinterpret_cast<HWND>(static_cast<intptr_t>(a.v.i32));
  return nullptr;
}

// MessageBox's IDOK..IDNO (1..7) become 0..6; anything else 0. A box with
// only an OK button has nothing to cancel: Windows answers IDOK when its close
// box or Escape closes it, but Wine answers IDCANCEL, so that counts as OK.
int32_t ButtonNumber(int id, UINT style) {
  if (id == IDCANCEL && (style & MB_TYPEMASK) == MB_OK) id = IDOK;
  return id >= IDOK && id <= IDNO ? id - IDOK : 0;
}

}  // namespace

void InfoBox(ArgValue* result, int argc, ArgValue* args) {
  char buffer[100] = "";
  const char* message = buffer;
  if (argc >= 1) {
    if (args[0].type == kTypeText)
      message = args[0].v.text ? args[0].v.text : "";
    else
      NumberText(args[0], buffer, sizeof buffer);
  }
  UINT style = static_cast<UINT>(ArgAsIntOr(argc, args, 1, 0));
  if (!(style & MB_SYSTEMMODAL)) style |= MB_TASKMODAL;
  const char* title = "信息：";
  if (ArgGiven(argc, args, 2)) title = args[2].v.text ? args[2].v.text : "";
  HWND owner = argc >= 4 ? OwnerOf(args[3]) : nullptr;
  result->v.i32 = ButtonNumber(MessageBoxGbk(owner, message, title, style), style);
}
