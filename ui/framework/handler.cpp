// The single place where a handler address becomes a call; see handler.h.
#include "ui/framework/handler.h"

using W = uintptr_t;
using HandlerFn = HandlerResult (*)(W, W, W, W, W, W, W, W, W, W, W, W, W, W, W, W, W, W, W, W,
                                    W, W, W, W);

HandlerResult CallHandler(uintptr_t handler, const uintptr_t* words, int count) {
  W a[kMaxHandlerWords] = {};
  for (int i = 0; i < count && i < kMaxHandlerWords; ++i) a[i] = words[i];
  auto fn = reinterpret_cast<HandlerFn>(handler);
  return fn(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8], a[9], a[10], a[11], a[12],
            a[13], a[14], a[15], a[16], a[17], a[18], a[19], a[20], a[21], a[22], a[23]);
}
