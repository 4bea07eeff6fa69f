#pragma once
// The lock the host hands out (a CRITICAL_SECTION it owns) seen as the engine's lock type.

#include "platform/platform.h"

// A lock that enters and leaves the host's critical section; null for a null section. The caller
// owns the returned object; the section itself stays the host's.
TRecursiveLock* wrapHostLock(void* criticalSection);
