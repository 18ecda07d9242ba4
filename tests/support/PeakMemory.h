#pragma once
// The growth of this process's peak resident memory over a stretch of a test, from the
// kernel's own count (VmHWM in /proc/self/status, reset through /proc/self/clear_refs).

#include <QtGlobal>

class TPeakMemory {
public:
    // Resets the peak to the memory resident now and takes that as the base.
    TPeakMemory();
    // The peak resident memory since the constructor less the base, in bytes.
    qint64 GrowthBytes() const;

private:
    qint64 base_ = 0;
};
