// The progress rule, kept free of Windows so that its arithmetic can be
// checked natively: the bar position is one more than the whole percentage of
// bytes counted, and the page is told only when that position grows.
#ifndef VELORIN_ENGINE_PROGRESS_STEP_H
#define VELORIN_ENGINE_PROGRESS_STEP_H

#include <stdint.h>

// Adds n to *bytesDone (wrapping 32-bit). When the whole percentage
// *bytesDone / bytesPerPercent is at least *nextPercent, raises *nextPercent
// to that percentage + 1 and returns 1 (the page must be told) when that
// position is on the bar (100 or less); otherwise returns 0. A bytesPerPercent
// of 0 counts as 1 rather than dividing by zero.
int ProgressStep(uint32_t* bytesDone, uint32_t* nextPercent,
                 uint32_t bytesPerPercent, uint32_t n);

#endif
