// The Program Manager group, made over DDE: a client-only DDEML instance and
// at most one conversation with service and topic "PROGMAN", kept in one
// module-level record. Everything here runs on the worker thread, and the
// callback is called there too, from within the calls made here.
// Results are advisory: 1 success, 0 failure.
#ifndef VELORIN_SYSTEM_PROGMAN_H
#define VELORIN_SYSTEM_PROGMAN_H

#include <windows.h>
#include <ddeml.h>

// Starts from a reset state, initialises the instance and makes the service
// and topic string handles. 1 when all three succeeded.
int ProgmanInit(void);

// Opens a conversation unless one is open (a failed attempt is not repeated
// here). 1 when a conversation is open afterwards.
int ProgmanConnect(void);

// Send "[DeleteGroup(name)]", "[CreateGroup(name)]" and
// "[AddItem(<commandDir><commandFile>, <item>, <iconDir><iconFile>)]" as
// execute transactions (the text and its zero, 1000 ms), connecting first if
// need be. A command that finds the conversation ended by the server, before
// or while it is sent, is sent once more on a new one (the instance is made
// anew for it); one refused or unanswered on a standing conversation is not.
// 1 when the server took the command; 0 without a conversation, when the
// server refused or did not answer, or when the text would not fit whole.
int ProgmanDeleteGroup(const char* group);
int ProgmanCreateGroup(const char* group);
int ProgmanAddItem(const char* item, const char* commandDir, const char* commandFile,
                   const char* iconDir, const char* iconFile);

// Ends the conversation and releases the instance, whatever state it is in.
// Always 1.
int ProgmanTerm(void);

// DDEML callback: a critical error is shown (owned by the progress page);
// a disconnect makes the next command connect anew. Returns no data.
HDDEDATA CALLBACK ProgmanCallback(UINT type, UINT format, HCONV conversation, HSZ topic,
                                  HSZ service, HDDEDATA data, ULONG_PTR data1, ULONG_PTR data2);

#endif
