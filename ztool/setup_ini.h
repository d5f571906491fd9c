// setup.ini as the setup program reads it with the Windows profile
// functions, and what it turns into under the registry key
// HKLM\Software\OrvantaNetwork\Velorin.
#ifndef VELORIN_TOOLS_ZTOOL_SETUP_INI_H
#define VELORIN_TOOLS_ZTOOL_SETUP_INI_H

#include <string>
#include <vector>

struct SetupIni {
    int hasSection;  // a section "Velorin" exists
    std::vector<std::string> names, values;  // its keys, in file order
};

struct SetupIniKey {
    const char* name;
    unsigned readLimit;  // with the terminating zero; 0: a cut changes nothing
};

// The keys the setup program reads from section "Velorin".
extern const SetupIniKey SETUP_INI_KEYS[];
extern const int SETUP_INI_KEY_COUNT;

// Parses the text as the profile functions do: section and key names
// without regard to case, blanks around them and around values dropped, a
// value in matching quotes unquoted, the first occurrence of a key wins.
void ParseSetupIni(const std::string& text, SetupIni* ini);

// The whole value of a key of section "Velorin"; "" when absent.
std::string SetupIniValue(const SetupIni& ini, const char* key);

struct RegistryValue {
    std::string name, type, data;
};

// The values the setup program writes, in its order, with each setup.ini
// value cut to its read limit. The installation directory appears as DIR;
// "VL31Eudora" is listed with its condition.
std::vector<RegistryValue> PreviewRegistry(const SetupIni& ini);

#endif
