// Unit creation; see unit_creation.h.
#include "ui/framework/unit_creation.h"

#include <algorithm>

#include "runtime/gbk_boundary.h"
#include "runtime/runtime.h"

HWND CreateChildWindow(const UnitCreation& c, const ChildWindow& window) {
  return CreateWindowGbk(window.exStyle, window.className, window.text,
                         c.style | WS_CHILD | WS_CLIPSIBLINGS | window.style, c.left, c.top, c.width,
                         std::max(c.height, window.minHeight), c.parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(c.controlId)),
                         RtInstance());
}
