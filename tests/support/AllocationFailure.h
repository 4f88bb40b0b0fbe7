// Makes one chosen allocation of the test thread fail with std::bad_alloc, as on a machine out
// of memory. The test program replaces the global operator new for this.
#pragma once

// The next allocation of this thread throws std::bad_alloc; the ones after it succeed again.
void FailNextAllocation();
// Whether a failure was asked for and has not happened yet.
bool AllocationFailurePending();
