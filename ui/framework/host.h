// The unit framework as the runtime core sees it: the WindowHost table
// (runtime/runtime.h) that loads and releases templates, creates windows,
// pre-translates messages and answers the framework's RuntimeNotify codes:
//   1001 the window table; 1002 the UnitTypeInfo of TypeCode p1;
//   2000 destruction notice (p1 WindowId, p2 UnitId or 0);
//   2006 / 2007 ResolveUnit (p1 WindowId, p2 UnitId; 2007 is mandatory);
//   2008 FireEvent (p1 EventRequest*); 2031 FireTypedEvent (p1
//   TypedEventRequest*, ui/framework/events.h); 2009 / 2010 suppress /
//   resume events. Other codes answer 0.
#pragma once

#include "runtime/runtime.h"

const WindowHost& UnitFrameworkHost();

// Runs at the framework's shutdown (WindowHost::shutdown), in registration
// order: units release objects they share between windows (icons ...).
void AtFrameworkShutdown(void (*release)());
