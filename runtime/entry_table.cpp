// The ordered table of runtime entries, for application code built
// separately from the runtime. The property entries come from the unit
// framework, so only programs that link it can use this table.
#include "runtime/heap.h"
#include "runtime/runtime.h"

const RuntimeEntryTable kRuntimeEntries = {
    RtReportError,     RtCallDllCommand, RtCallLibCommand, RtCallCoreCommand, RtReadProperty,
    RtWriteProperty,   RtAlloc,          RtRealloc,        RtFree,            RtExit,
    RtRunLoop,         RtLoadWindow,     RtService,
};
