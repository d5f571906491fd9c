// The migration of an earlier installation recorded in WIN.INI: the user is
// told what changes, its directory and mail-client flag are taken over, and
// its traces (vez.ini, register.ini's Version, the WIN.INI section, the old
// dialer's SYSTEM.INI lines and directories) are removed.
#ifndef VELORIN_SYSTEM_MIGRATION_H
#define VELORIN_SYSTEM_MIGRATION_H

#include <windows.h>

// Runs the migration with owner owning the upgrade notice. 0 when no
// earlier installation is recorded (nothing changed), or when SYSTEM.INI
// could not be rewritten (it then holds its old text, whole, and no
// directory is removed); 1 when it ran to its end. Only folders that are the
// earlier installation's are emptied: the register folder while it holds the
// register.ini that started the migration, the dialer's folders while its
// bin folder holds one of the driver files; never one named by a value that
// may have been cut. Sets mailClientFound and installDir.
int MigratePreviousInstall(HWND owner);

#endif
