// libFuzzer target for the string and path part parsers' text handling
// (toolkit/MbcsText, toolkit/PathSyntax), in a single-byte code page and in a
// double-byte one. The first byte picks the code page and the delimiters'
// length; the rest is the text. Checked: every offset lies on a character
// boundary inside the text, the path parts fit together (folder, name, title
// and extension), and the tokens are exactly the runs of non-delimiter
// characters of a plain walk over the text.
#include <string>
#include <vector>

#include "tests/fuzz/FuzzCheck.h"
#include "toolkit/MbcsText.h"
#include "toolkit/PathSyntax.h"

namespace {

bool NoLeadBytes(unsigned char)
{
    return false;
}
// Lead bytes as code page 932 has them.
bool ShiftJisLeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Offsets where characters begin, the terminating zero's included.
std::vector<bool> Boundaries(const std::string &text, mbcs::LeadByteTest isLead)
{
    std::vector<bool> at(text.size() + 1, false);
    const auto *start = reinterpret_cast<const unsigned char *>(text.c_str());
    const unsigned char *p = start;
    for (; *p; p = mbcs::Next(p, isLead))
        at[p - start] = true;
    at[p - start] = true;
    return at;
}

void CheckPath(const std::string &path, mbcs::LeadByteTest isLead)
{
    const std::vector<bool> at = Boundaries(path, isLead);
    const int length = static_cast<int>(path.size());
    PathSyntax syntax(isLead);
    const char *p = path.c_str();
    const int root = syntax.RootLength(p), drive = syntax.DriveLength(p);
    const int sep = syntax.LastSeparator(p), name = syntax.NameStart(p);
    const int withSep = syntax.FolderLength(p, true), withoutSep = syntax.FolderLength(p, false);
    for (int offset : {root, drive, name, withSep, withoutSep})
        Check(offset >= 0 && offset <= length && at[offset]);
    Check(drive <= root);
    Check(withoutSep <= withSep && withSep <= name);
    if (sep >= 0) {
        Check(sep < length && at[sep] && (p[sep] == '\\' || p[sep] == '/'));
        Check(name == sep + 1 && withSep == sep + 1);
        Check(withoutSep == sep || (withoutSep == sep + 1 && sep + 1 <= root));
    }
    const std::string last = path.substr(name);
    for (size_t i = 0; i < last.size(); ++i)
        Check(!at[name + i] || (last[i] != '\\' && last[i] != '/'));
    const int dot = syntax.LastDot(last.c_str());
    Check(dot >= -1 && dot < static_cast<int>(last.size()));
    if (dot >= 0)
        Check(at[name + dot] && last[dot] == '.');
}

void CheckTokens(const std::string &text, const std::string &delimiters, mbcs::LeadByteTest isLead)
{
    const auto *set = reinterpret_cast<const unsigned char *>(delimiters.c_str());
    // The plain walk: runs of characters that are not delimiters.
    std::vector<std::string> expected(1);
    const auto *t = reinterpret_cast<const unsigned char *>(text.c_str());
    for (const unsigned char *c = t; *c; c = mbcs::Next(c, isLead)) {
        if (!mbcs::IsOneOf(c, set, isLead))
            expected.back().append(reinterpret_cast<const char *>(c), mbcs::Next(c, isLead) - c);
        else if (!expected.back().empty())
            expected.emplace_back();
    }
    if (expected.back().empty())
        expected.pop_back();

    std::vector<unsigned char> work(text.begin(), text.end());
    work.push_back(0);
    unsigned char *next = nullptr;
    std::vector<std::string> tokens;
    for (unsigned char *token = mbcs::Token(work.data(), set, &next, isLead); token;
         token = mbcs::Token(nullptr, set, &next, isLead)) {
        Check(token >= work.data() && token < work.data() + work.size());
        tokens.emplace_back(reinterpret_cast<const char *>(token));
        Check(tokens.size() <= text.size());
    }
    Check(tokens == expected);
    // A finished split stays finished.
    Check(mbcs::Token(nullptr, set, &next, isLead) == nullptr);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const mbcs::LeadByteTest isLead = (data[0] & 1) ? ShiftJisLeadByte : NoLeadBytes;
    const size_t delimiterBytes = (data[0] >> 1) & 7;
    std::string rest(reinterpret_cast<const char *>(data + 1), size - 1);
    rest = rest.c_str(); // the parsers see C strings
    const std::string delimiters = rest.substr(0, delimiterBytes);
    CheckPath(rest, isLead);
    CheckTokens(rest.substr(delimiters.size()), delimiters, isLead);
    return 0;
}
