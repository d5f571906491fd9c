#include "registry_settings.h"
#include "setup_state.h"
#include "system_text.h"

static const char SETTINGS_KEY[] = "Software\\OrvantaNetwork\\Velorin";
static const REGSAM ALL_ACCESS = 0xF003F;

// Read limits count the terminating zero; a longer value is cut.
enum { REGNO_READ_SIZE = 64, OFFER_READ_SIZE = 256 };

static char iniPath[SETUP_PATH_SIZE + 16];

static DWORD ReadOffer(const char* key, char* value, DWORD size)
{
    return GetPrivateProfileStringA("Velorin", key, "", value, size, iniPath);
}

// The zero is not counted: the registration program takes the length as given.
static void SetText(HKEY key, const char* name, const char* text)
{
    RegSetValueExA(key, name, 0, REG_SZ, (const BYTE*)text, TextLength(text));
}

// The number is a prefix only when setup.ini says "YES", in any case.
static void WriteRegistrationNumber(HKEY key)
{
    char isPrefix[REGNO_READ_SIZE], number[REGNO_READ_SIZE];
    ReadOffer("IsRegNoAPrefix", isPrefix, sizeof isPrefix);
    if (!ReadOffer("RegNo", number, sizeof number))
        return;
    int prefix = SameTextIgnoringCase(isPrefix, TextLength(isPrefix), "YES", 3);
    SetText(key, prefix ? "RegNoPrefix" : "RegNo", number);
}

static void WriteHomePage(HKEY key, const char* directory)
{
    char homePage[OFFER_READ_SIZE], onDisk[2];
    int written = ReadOffer("HomePage", homePage, sizeof homePage) != 0;
    if (written)
        SetText(key, "HomePage", homePage);
    // Only whether it is set matters; the local page is the home page itself.
    if (ReadOffer("HDHomePage", onDisk, sizeof onDisk) && written) {
        char localPath[SETUP_PATH_SIZE + OFFER_READ_SIZE + 8];
        const char* parts[] = { directory, "\\www\\", homePage };
        if (ConcatText(localPath, sizeof localPath, parts, 3))
            SetText(key, "LocalURLPath", localPath);
    }
}

void WriteRegistrySettings(const char* directory)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SETTINGS_KEY, 0, ALL_ACCESS, &key) != ERROR_SUCCESS) {
        DWORD disposition;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, SETTINGS_KEY, 0, NULL, REG_OPTION_NON_VOLATILE,
                            ALL_ACCESS, NULL, &key, &disposition) != ERROR_SUCCESS)
            return;
    }
    SetText(key, "MainDir", directory);
    const char* parts[] = { setupState.sourceDir, "setup.ini" };
    ConcatText(iniPath, sizeof iniPath, parts, 2);
    WriteRegistrationNumber(key);
    WriteHomePage(key, directory);
    if (setupState.mailClientFound)
        SetText(key, "VL31Eudora", "TRUE");
    static const char* const OFFERS[] = { "SetupFee", "FreeHours", "FreeDays" };
    for (int k = 0; k < 3; ++k) {
        char value[OFFER_READ_SIZE];
        if (ReadOffer(OFFERS[k], value, sizeof value))
            SetText(key, OFFERS[k], value);
    }
    DWORD flags = 16;
    RegSetValueExA(key, "Flags", 0, REG_DWORD, (const BYTE*)&flags, sizeof flags);
    RegCloseKey(key);
}
