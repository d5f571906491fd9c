// Windows opens certain bare names as devices in every directory, so an
// archive member called "nul" or "con.txt" would be written to a device, not
// into the component directory. Portable so that it is checked natively.
#ifndef VELORIN_ENGINE_DEVICE_NAME_H
#define VELORIN_ENGINE_DEVICE_NAME_H

// Returns 1 when name (a bare file name) would open a device: CON, PRN, AUX,
// NUL, COM1 to COM9 or LPT1 to LPT9 in any letter case, alone or followed by
// an extension or blanks, and CONIN$, CONOUT$ and CLOCK$.
int IsDeviceName(const char* name);

#endif
