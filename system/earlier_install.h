// What the directory page and the migration share: where an earlier
// installation is recorded, and how long an installation directory may be.
// Free of Windows, so that the front end's portable rules include it too.
#ifndef VELORIN_SYSTEM_EARLIER_INSTALL_H
#define VELORIN_SYSTEM_EARLIER_INSTALL_H

// The WIN.INI section of an earlier installation; its key "Main" is that
// installation's directory.
#define EARLIER_INSTALL_SECTION "Orvanta Network Velorin"

// Longest installation directory: MAX_PATH less its zero, "\corvex\" and an
// 8.3 name, so that every file placed still has a path the system can open.
enum { MAX_INSTALL_DIR_LENGTH = 259 - 8 - 12 };

#endif
