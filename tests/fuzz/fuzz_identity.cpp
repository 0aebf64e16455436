// libFuzzer target for the identity string of driver modules: the string is
// read only with one or two points, a rejected one leaves code and version
// 0, and code and version written as "code.version" read back unchanged.
#include <cstdio>
#include <string>

#include "catalogue/IdentityString.h"
#include "tests/fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The module's string resource ends at the first NUL.
    std::string text(reinterpret_cast<const char *>(data), size);
    text = text.c_str();
    int points = 0;
    for (char c : text)
        points += c == '.';
    int code = -1, version = -1;
    const bool read = ParseIdentityString(text.c_str(), code, version);
    Check(read == (points == 1 || points == 2));
    if (!read) {
        Check(code == 0 && version == 0);
        return 0;
    }
    char again[32];
    snprintf(again, sizeof(again), "%d.%d", code, version);
    int code2 = -1, version2 = -1;
    Check(ParseIdentityString(again, code2, version2) && code2 == code && version2 == version);
    return 0;
}
