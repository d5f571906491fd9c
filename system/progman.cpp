#include "progman.h"
#include "progman_service.h"
#include "setup_state.h"
#include "system_text.h"

const char* progmanService = "PROGMAN";

// Holds the add-item command with two full-length paths and the item name,
// so that no command this setup sends is ever cut.
enum { COMMAND_SIZE = 2 * SETUP_PATH_SIZE + 128 };

static struct {
    DWORD instance;  // 0 while none is initialised
    HSZ service;
    HSZ topic;
    HCONV conversation;
} dde;

int ProgmanInit(void)
{
    dde.instance = 0;
    dde.service = NULL;
    dde.topic = NULL;
    dde.conversation = NULL;
    if (DdeInitializeA(&dde.instance, ProgmanCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) {
        dde.instance = 0;
        return 0;
    }
    dde.service = DdeCreateStringHandleA(dde.instance, progmanService, CP_WINANSI);
    dde.topic = DdeCreateStringHandleA(dde.instance, "PROGMAN", CP_WINANSI);
    return dde.service && dde.topic;
}

int ProgmanConnect(void)
{
    // Without both names there is no one to talk to.
    if (!dde.conversation && dde.service && dde.topic)
        dde.conversation = DdeConnect(dde.instance, dde.service, dde.topic, NULL);
    return dde.conversation != NULL;
}

// Whether the conversation still stands. The worker pumps no messages, and a
// transaction waits only for messages newer than DDEML's last look, so a
// server's end that came before would go unseen: DDEML is handed what waits.
static int Standing(void)
{
    MSG message;
    CONVINFO info;
    info.cb = sizeof info;
    while (PeekMessageA(&message, NULL, WM_DDE_FIRST, WM_DDE_LAST, PM_REMOVE))
        DispatchMessageA(&message);
    return dde.conversation && DdeQueryConvInfo(dde.conversation, QID_SYNC, &info)
           && (info.wStatus & ST_CONNECTED);
}

// Sends the command that the given texts make when run together, once more if
// it met a conversation that the server had ended (DDEML keeps that one and
// opens no other beside it, so it is started afresh); not if it was refused or
// unanswered on a standing one, since it may have been carried out.
static int SendCommand(const char* const* parts, int count)
{
    char command[COMMAND_SIZE];
    if (!ConcatText(command, sizeof command, parts, count))
        return 0;
    for (int tries = 2; tries > 0 && ProgmanConnect(); --tries) {
        if (Standing() && DdeClientTransaction((LPBYTE)command, TextLength(command) + 1,
                                               dde.conversation, NULL, CF_TEXT, XTYP_EXECUTE,
                                               1000, NULL))
            return 1;
        if (Standing())
            return 0;
        ProgmanTerm();
        ProgmanInit();
    }
    return 0;
}

int ProgmanDeleteGroup(const char* group)
{
    const char* parts[] = { "[DeleteGroup(", group, ")]" };
    return SendCommand(parts, 3);
}

int ProgmanCreateGroup(const char* group)
{
    const char* parts[] = { "[CreateGroup(", group, ")]" };
    return SendCommand(parts, 3);
}

int ProgmanAddItem(const char* item, const char* commandDir, const char* commandFile,
                   const char* iconDir, const char* iconFile)
{
    const char* parts[] = { "[AddItem(", commandDir, commandFile, ", ", item, ", ",
                            iconDir, iconFile, ")]" };
    return SendCommand(parts, 9);
}

int ProgmanTerm(void)
{
    if (dde.conversation)
        DdeDisconnect(dde.conversation);
    dde.conversation = NULL;
    if (dde.instance) {
        DdeFreeStringHandle(dde.instance, dde.service);
        DdeFreeStringHandle(dde.instance, dde.topic);
        DdeUninitialize(dde.instance);
        dde.instance = 0;
    }
    return 1;
}

HDDEDATA CALLBACK ProgmanCallback(UINT type, UINT format, HCONV conversation, HSZ topic,
                                  HSZ service, HDDEDATA data, ULONG_PTR data1, ULONG_PTR data2)
{
    (void)format; (void)conversation; (void)topic; (void)service;
    (void)data; (void)data1; (void)data2;
    if (type == XTYP_ERROR)
        MessageBoxA(setupState.progressDialog, "A critical error has occurred.", SETUP_CAPTION,
                    MB_OK | MB_ICONWARNING);
    else if (type == XTYP_DISCONNECT)
        dde.conversation = NULL;
    return NULL;
}
