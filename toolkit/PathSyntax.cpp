#include "PathSyntax.h"

namespace {
bool IsSeparator(unsigned char ch) { return ch == '\\' || ch == '/'; }

const unsigned char* Bytes(const char* psz) { return reinterpret_cast<const unsigned char*>(psz); }
}

bool PathSyntax::HasDriveLetter(const char* path)
{
    unsigned char c = Bytes(path)[0];
    return ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) && path[1] == ':';
}

// Length of the "\\server\share" prefix of a UNC path, 0 when there is none.
int PathSyntax::UncPrefixLength(const char* path) const
{
    const unsigned char* start = Bytes(path);
    if (!IsSeparator(start[0]) || !IsSeparator(start[1]))
        return 0;
    int parts = 0;
    const unsigned char* p = start + 2;
    while (*p) {
        if (IsSeparator(*p) && ++parts == 2)
            break;
        p = mbcs::Next(p, m_isLead);
    }
    return static_cast<int>(p - start);
}

int PathSyntax::RootLength(const char* path) const
{
    if (HasDriveLetter(path))
        return IsSeparator(Bytes(path)[2]) ? 3 : 2;
    int unc = UncPrefixLength(path);
    if (unc > 0)
        return path[unc] ? unc + 1 : unc;
    return IsSeparator(Bytes(path)[0]) ? 1 : 0;
}

int PathSyntax::DriveLength(const char* path) const
{
    if (HasDriveLetter(path))
        return 2;
    int unc = UncPrefixLength(path);
    return unc > 2 ? unc : 0;
}

int PathSyntax::LastSeparator(const char* path) const
{
    int last = -1;
    for (const unsigned char* p = Bytes(path); *p; p = mbcs::Next(p, m_isLead))
        if (IsSeparator(*p))
            last = static_cast<int>(p - Bytes(path));
    return last;
}

int PathSyntax::FolderLength(const char* path, bool withSeparator) const
{
    int sep = LastSeparator(path);
    if (sep < 0)
        return HasDriveLetter(path) ? 2 : 0;
    return withSeparator || sep + 1 <= RootLength(path) ? sep + 1 : sep;
}

int PathSyntax::NameStart(const char* path) const
{
    int sep = LastSeparator(path);
    if (sep >= 0)
        return sep + 1;
    return HasDriveLetter(path) ? 2 : 0;
}

int PathSyntax::LastDot(const char* name) const
{
    int last = -1;
    for (const unsigned char* p = Bytes(name); *p; p = mbcs::Next(p, m_isLead))
        if (*p == '.')
            last = static_cast<int>(p - Bytes(name));
    return last;
}
