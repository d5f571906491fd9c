#include "ztool.h"
#include "setup_ini.h"

#include <cstdio>
#include <fstream>
#include <iterator>

int Fail(int status, const std::string& file, const std::string& what)
{
    std::fprintf(stderr, "ztool: %s: %s\n", file.c_str(), what.c_str());
    return status;
}

int ReadWholeFile(const std::string& path, std::vector<unsigned char>* data, std::string* error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        *error = "cannot open it for reading";
        return 0;
    }
    data->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) {
        *error = "read error";
        return 0;
    }
    return 1;
}

int WriteWholeFile(const std::string& path, const std::vector<unsigned char>& data, int* status,
                   std::string* error)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        *status = ZTOOL_NO_OUTPUT;
        *error = "cannot create it";
        return 0;
    }
    out.write((const char*)data.data(), (std::streamsize)data.size());
    out.close();
    if (!out) {
        *status = ZTOOL_WRITE_FAILED;
        *error = "write error";
        return 0;
    }
    return 1;
}

int LoadSetupIni(const std::string& path, SetupIni* ini)
{
    std::vector<unsigned char> bytes;
    std::string error;
    if (!ReadWholeFile(path, &bytes, &error))
        return Fail(ZTOOL_NO_INPUT, path, error);
    ParseSetupIni(std::string(bytes.begin(), bytes.end()), ini);
    if (!ini->hasSection)
        return Fail(ZTOOL_DAMAGED, path, "no section \"Velorin\": the setup program reads none of it");
    return ZTOOL_OK;
}
