#include "progress_step.h"

int ProgressStep(uint32_t* bytesDone, uint32_t* nextPercent,
                 uint32_t bytesPerPercent, uint32_t n)
{
    *bytesDone += n;
    uint32_t percent = *bytesDone / (bytesPerPercent ? bytesPerPercent : 1);
    if (percent < *nextPercent)
        return 0;
    *nextPercent = percent + 1;
    // Past the bar's end the page ignores the message, and on a large medium
    // nearly every chunk would send one, which costs more than the chunk's copy.
    return *nextPercent <= 100;
}
