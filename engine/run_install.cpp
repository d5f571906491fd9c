// Placeholder until the install sequence lands: the empty sequence.
#include "engine.h"

int RunInstall(HWND owner)
{
    (void)owner;
    return 1;
}
