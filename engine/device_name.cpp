#include "device_name.h"

static char Upper(char c)
{
    return c >= 'a' && c <= 'z' ? (char)(c - 'a' + 'A') : c;
}

// Compares the first length characters of name with word, ignoring case.
static int SameWord(const char* name, int length, const char* word)
{
    int i = 0;
    for (; i < length && word[i]; ++i)
        if (Upper(name[i]) != word[i])
            return 0;
    return i == length && !word[i];
}

int IsDeviceName(const char* name)
{
    static const char* const whole[] = { "CONIN$", "CONOUT$", "CLOCK$" };
    static const char* const stems[] = { "CON", "PRN", "AUX", "NUL" };
    int length = 0;
    while (name[length])
        ++length;
    for (int k = 0; k < 3; ++k)
        if (SameWord(name, length, whole[k]))
            return 1;

    // The device is named by what comes before the first dot, blanks at its
    // end not counting.
    int stem = 0;
    while (name[stem] && name[stem] != '.')
        ++stem;
    while (stem > 0 && name[stem - 1] == ' ')
        --stem;
    for (int k = 0; k < 4; ++k)
        if (SameWord(name, stem, stems[k]))
            return 1;
    if (stem == 4 && name[3] >= '1' && name[3] <= '9')
        return SameWord(name, 3, "COM") || SameWord(name, 3, "LPT");
    return 0;
}
