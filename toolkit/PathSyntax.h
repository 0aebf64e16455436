// PathSyntax: where the parts of a file-system path begin and end, as byte
// offsets. Both separators, backslash and slash, count; double-byte
// characters are never split. No Windows dependency: CFileSystemObject builds
// its strings from these offsets, and the fuzzers run them natively.
#pragma once
#include "MbcsText.h"

class PathSyntax
{
public:
    explicit PathSyntax(mbcs::LeadByteTest isLead) : m_isLead(isLead) {}

    // "C:\" 3, "C:" 2, "\" 1, "\\srv\share\" all of it; 0 for a relative path.
    int RootLength(const char* path) const;
    // Length of the drive part without a separator: "C:" 2, "\\srv\share" its
    // length, else 0.
    int DriveLength(const char* path) const;
    // Length of the folder part: through the last separator when asked for or
    // when that separator ends the root, else without it; "C:" of "C:name";
    // 0 when the path has no folder.
    int FolderLength(const char* path, bool withSeparator) const;
    // Offset of the last separator, -1 when there is none.
    int LastSeparator(const char* path) const;
    // Offset where the last component begins.
    int NameStart(const char* path) const;
    // Offset of the last dot of name, -1 when there is none.
    int LastDot(const char* name) const;

    static bool HasDriveLetter(const char* path);

private:
    int UncPrefixLength(const char* path) const;

    mbcs::LeadByteTest m_isLead;
};
