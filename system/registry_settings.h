// The settings the registration program reads, under
// HKEY_LOCAL_MACHINE\Software\OrvantaNetwork\Velorin.
#ifndef VELORIN_SYSTEM_REGISTRY_SETTINGS_H
#define VELORIN_SYSTEM_REGISTRY_SETTINGS_H

// Writes MainDir (directory, given without a trailing backslash), the offer
// of the medium's setup.ini (section "Velorin") where it is not empty,
// VL31Eudora when mailClientFound is set, and Flags. Values of an earlier
// installation that are not written stay. Failures are silent.
void WriteRegistrySettings(const char* directory);

#endif
