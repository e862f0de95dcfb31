// The handler table: one 8-byte stub per handler, each a relative jump to
// the handler (5 bytes) padded to 8, in the order of PROGRAM_HANDLERS
// (handler_table.h). Relative jumps reach anywhere in the image on both
// i686 and x86-64, and the handler sees its caller's arguments unchanged.
#include "app/handler_table.h"

#define HT_STR2(x) #x
#define HT_STR(x) HT_STR2(x)
// C names carry a leading underscore on i686 and none on x86-64.
#define HT_SYM(name) HT_STR(__USER_LABEL_PREFIX__) #name
#define HT_STUB(name, parameters) "  jmp " HT_SYM(name) "\n  .balign 8, 0xCC\n"

asm(".text\n"
    "  .balign 8\n"
    "  .globl " HT_SYM(HandlerTable) "\n"
    HT_SYM(HandlerTable) ":\n"
    PROGRAM_HANDLERS(HT_STUB));
