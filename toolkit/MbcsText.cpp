#include "MbcsText.h"

namespace mbcs {

const unsigned char* Next(const unsigned char* p, LeadByteTest isLead)
{
    if (!*p)
        return p;
    return isLead(p[0]) && p[1] ? p + 2 : p + 1;
}

bool IsOneOf(const unsigned char* p, const unsigned char* set, LeadByteTest isLead)
{
    long length = Next(p, isLead) - p;
    for (const unsigned char* s = set; *s; s = Next(s, isLead)) {
        if (Next(s, isLead) - s == length && s[0] == p[0] && (length == 1 || s[1] == p[1]))
            return true;
    }
    return false;
}

unsigned char* Token(unsigned char* text, const unsigned char* delimiters, unsigned char** pNext,
                     LeadByteTest isLead)
{
    unsigned char* p = text ? text : *pNext;
    if (!p)
        return nullptr;
    while (*p && IsOneOf(p, delimiters, isLead))
        p = const_cast<unsigned char*>(Next(p, isLead));
    if (!*p) {
        *pNext = p;
        return nullptr;
    }
    unsigned char* token = p;
    while (*p && !IsOneOf(p, delimiters, isLead))
        p = const_cast<unsigned char*>(Next(p, isLead));
    if (*p) {
        unsigned char* end = p;
        p = const_cast<unsigned char*>(Next(p, isLead));
        end[0] = 0;
        if (p - end == 2)
            end[1] = 0;
    }
    *pNext = p;
    return token;
}

} // namespace mbcs
