#include "setup_ini.h"

#include "medium_layout.h"

const SetupIniKey SETUP_INI_KEYS[] = {
    {"IsRegNoAPrefix", 64}, {"RegNo", 64},     {"HomePage", 256}, {"HDHomePage", 0},
    {"SetupFee", 256},      {"FreeHours", 256}, {"FreeDays", 256},
};
const int SETUP_INI_KEY_COUNT = sizeof(SETUP_INI_KEYS) / sizeof(SETUP_INI_KEYS[0]);

namespace {

std::string Trim(const std::string& text)
{
    std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string ReadAsSetupDoes(const SetupIni& ini, const char* key)
{
    std::string value = SetupIniValue(ini, key);
    for (int i = 0; i < SETUP_INI_KEY_COUNT; ++i)
        if (SETUP_INI_KEYS[i].readLimit && LowerCase(key) == LowerCase(SETUP_INI_KEYS[i].name) &&
            value.size() >= SETUP_INI_KEYS[i].readLimit)
            value.resize(SETUP_INI_KEYS[i].readLimit - 1);
    return value;
}

} // namespace

void ParseSetupIni(const std::string& text, SetupIni* ini)
{
    ini->hasSection = 0;
    ini->names.clear();
    ini->values.clear();
    int inSection = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        line = Trim(line);
        if (!line.empty() && line[0] == '[') {
            std::size_t close = line.find(']');
            std::string name = Trim(line.substr(1, close == std::string::npos ? std::string::npos
                                                                               : close - 1));
            inSection = LowerCase(name) == "velorin";
            ini->hasSection |= inSection;
            continue;
        }
        std::size_t equals = line.find('=');
        if (!inSection || line.empty() || line[0] == ';' || equals == std::string::npos)
            continue;
        std::string value = Trim(line.substr(equals + 1));
        if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
            value = value.substr(1, value.size() - 2);
        ini->names.push_back(Trim(line.substr(0, equals)));
        ini->values.push_back(value);
    }
}

std::string SetupIniValue(const SetupIni& ini, const char* key)
{
    for (std::size_t i = 0; i < ini.names.size(); ++i)
        if (LowerCase(ini.names[i]) == LowerCase(key))
            return ini.values[i];
    return "";
}

std::vector<RegistryValue> PreviewRegistry(const SetupIni& ini)
{
    std::vector<RegistryValue> values;
    values.push_back({"MainDir", "REG_SZ", "DIR"});
    std::string regNo = ReadAsSetupDoes(ini, "RegNo");
    if (!regNo.empty())
        values.push_back({LowerCase(ReadAsSetupDoes(ini, "IsRegNoAPrefix")) == "yes"
                              ? "RegNoPrefix" : "RegNo", "REG_SZ", regNo});
    std::string homePage = ReadAsSetupDoes(ini, "HomePage");
    if (!homePage.empty()) {
        values.push_back({"HomePage", "REG_SZ", homePage});
        if (!SetupIniValue(ini, "HDHomePage").empty())
            values.push_back({"LocalURLPath", "REG_SZ", "DIR\\www\\" + homePage});
    }
    values.push_back({"VL31Eudora", "REG_SZ", "TRUE (only over an earlier installation "
                                              "that had a mail client)"});
    for (const char* key : {"SetupFee", "FreeHours", "FreeDays"}) {
        std::string value = ReadAsSetupDoes(ini, key);
        if (!value.empty())
            values.push_back({key, "REG_SZ", value});
    }
    values.push_back({"Flags", "REG_DWORD", "16"});
    return values;
}
