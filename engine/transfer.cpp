#include "transfer.h"
#include "setup_state.h"
#include "system_text.h"

int TransferFailed(int result, const char* path)
{
    lstrcpynA(setupState.failedPath, path, SETUP_PATH_SIZE);
    return result;
}

int IsSourceFolder(const char* dir)
{
    return IsFullPathText(dir) && EndsInBackslash(dir);
}
