// The migration of an earlier installation recorded in WIN.INI: the user is
// told what changes, its directory and mail-client flag are taken over, and
// its traces (vez.ini, register.ini's Version, the WIN.INI section, the old
// dialer's SYSTEM.INI lines and directories) are removed.
#ifndef VELORIN_SYSTEM_MIGRATION_H
#define VELORIN_SYSTEM_MIGRATION_H

#include <windows.h>

// Runs the migration with owner owning the upgrade notice. 0 when no
// earlier installation is recorded (nothing changed), or when SYSTEM.INI
// could not be rewritten whole (it is then unchanged and no directory is
// removed); 1 when it ran to its end. Sets mailClientFound and installDir.
int MigratePreviousInstall(HWND owner);

#endif
