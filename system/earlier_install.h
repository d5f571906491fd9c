// What the front end, the engine and the migration share: where an earlier
// installation is recorded, the folder of the registration program, and how
// long an installation directory may be.
// Free of Windows, so that the front end's portable rules include it too.
#ifndef VELORIN_SYSTEM_EARLIER_INSTALL_H
#define VELORIN_SYSTEM_EARLIER_INSTALL_H

// The WIN.INI section of an earlier installation, and its key that holds
// that installation's directory.
#define EARLIER_INSTALL_SECTION "Orvanta Network Velorin"
#define EARLIER_INSTALL_DIR_KEY "Main"

// The folder of the installation that holds the registration program.
#define COMPONENT_FOLDER "\\corvex\\"

// Longest installation directory: MAX_PATH less its zero, "\corvex\" and an
// 8.3 name, so that every file placed still has a path the system can open.
enum { MAX_INSTALL_DIR_LENGTH = 259 - (sizeof COMPONENT_FOLDER - 1) - 12 };

#endif
