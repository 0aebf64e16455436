// libFuzzer targets for the readers of outside data that build without
// Windows, in one program: QRV_FUZZ_TARGET names the reader the inputs go to
// (tests/fuzz/run.sh sets it). A broken rule ends the run as a crash does, so
// libFuzzer keeps the input.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "catalogue/CacheRecord.h"
#include "catalogue/IdentityString.h"
#include "imaging/BmpFile.h"
#include "imaging/DibReader.h"
#include "imaging/DibWriter.h"
#include "toolkit/MbcsText.h"
#include "toolkit/PathSyntax.h"
#include "tools/qrvtool/PaletteBytes.h"
#include "viewer/EmfRecords.h"
#include "viewer/WmfRecords.h"

using namespace qrv::img;

namespace {

void Check(bool rule)
{
    if (!rule)
        std::abort();
}

// The input up to its first NUL, as the readers of C strings see it.
std::string TextOf(const uint8_t *data, size_t size)
{
    return std::string(reinterpret_cast<const char *>(data), size).c_str();
}

// DIB and BMP readers: every input is decoded as a packed DIB and as a BMP
// file; whatever decodes must encode and decode again to the same image.
void CheckRoundTrip(const Image &img)
{
    std::vector<uint8_t> again;
    Check(DibWriter::Write(img, again) == kOk);
    Image back;
    Check(DibReader::Read(again.data(), again.size(), back) == kOk && back == img);
}

void Dib(const uint8_t *data, size_t size)
{
    // A cap of 65,536 pixels keeps each run fast (a few bytes of RLE can ask
    // for millions); the limit logic is the same at any cap.
    DibReadOptions options;
    options.maxPixels = int64_t(1) << 16;
    Image img;
    if (DibReader::Read(data, size, img, options) == kOk)
        CheckRoundTrip(img);
    if (BmpFile::Decode(data, size, img, options) == kOk)
        CheckRoundTrip(img);
}

// qrvtool's palette readers (JASC-PAL text and the colour table of a BMP): a
// palette read has 1 to 256 colours of 24 bits, and the same colours written
// as JASC-PAL read back unchanged.
std::vector<unsigned char> AsJasc(const std::vector<unsigned long> &colors)
{
    std::string text = "JASC-PAL\r\n0100\r\n" + std::to_string(colors.size()) + "\r\n";
    for (unsigned long c : colors) {
        char line[32];
        snprintf(line, sizeof(line), "%lu %lu %lu\r\n", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
        text += line;
    }
    return std::vector<unsigned char>(text.begin(), text.end());
}

void Palette(const uint8_t *data, size_t size)
{
    std::vector<unsigned char> bytes(data, data + size);
    std::vector<unsigned long> colors;
    if (!ParsePaletteBytes(bytes, colors)) {
        Check(colors.empty()); // a failed read leaves no colours behind
        return;
    }
    Check(!colors.empty() && colors.size() <= 256);
    for (unsigned long c : colors)
        Check(c <= 0xFFFFFF);
    std::vector<unsigned long> again;
    Check(ParsePaletteBytes(AsJasc(colors), again) && again == colors);
}

// The identity string of driver modules (a string resource, ending at the
// first NUL): read only with one or two points, a rejected one leaves code
// and version 0, and code and version written as "code.version" read back
// unchanged.
void Identity(const uint8_t *data, size_t size)
{
    const std::string text = TextOf(data, size);
    int points = 0;
    for (char c : text)
        points += c == '.';
    int code = -1, version = -1;
    const bool read = ParseIdentityString(text.c_str(), code, version);
    Check(read == (points == 1 || points == 2));
    if (!read) {
        Check(code == 0 && version == 0);
        return;
    }
    const std::string again = std::to_string(code) + "." + std::to_string(version);
    int code2 = -1, version2 = -1;
    Check(ParseIdentityString(again.c_str(), code2, version2) && code2 == code && version2 == version);
}

// The catalogue's registry cache records. The input is cut at NULs into the
// texts of the values (project code, firmware, the four flags). The decoded
// record must keep the version word's rules, and a record written back as
// texts must decode to itself.
const unsigned char kLegacy = 1;

bool Same(const CacheRecord &a, const CacheRecord &b)
{
    return a.code == b.code && a.version == b.version && a.major == b.major && a.minor == b.minor &&
           a.dproto == b.dproto && a.tags == b.tags && a.oldTags == b.oldTags && a.special == b.special;
}

CacheRecord Decode(const std::vector<std::string> &parts)
{
    CacheRecordTexts texts;
    const char **fields[] = {&texts.code, &texts.firmware, &texts.dproto,
                             &texts.tags, &texts.oldTags,  &texts.special};
    for (size_t i = 0; i < 6; ++i)
        *fields[i] = parts[i].c_str();
    CacheRecord record;
    DecodeCacheRecord(texts, kLegacy, record);
    return record;
}

void CacheRecords(const uint8_t *data, size_t size)
{
    std::vector<std::string> parts;
    for (size_t at = 0; parts.size() < 6; at += parts.back().size() + 1)
        parts.push_back(at < size ? TextOf(data + at, size - at) : "");
    const CacheRecord record = Decode(parts);
    if (record.code != kLegacy) {
        Check(record.version == (record.major & 15) * 16 + (record.minor & 15));
        // Written back as the cache writes a packed version: major.minor.
        using std::to_string;
        Check(Same(Decode({to_string(record.code), to_string(record.major) + "." + to_string(record.minor),
                           to_string(record.dproto), to_string(record.tags), to_string(record.oldTags),
                           to_string(record.special)}),
                   record));
    } else {
        Check(record.major == 0 && record.minor == 0); // the legacy form leaves major and minor alone
    }
}

// The record checks that run before metafiles are played: the Windows
// metafile check on the input as the metafile's bytes, the enhanced metafile
// check on the same bytes. Under ASan a read outside the input is a finding;
// an accepted Windows metafile must also end in the end record the walk
// stopped at, inside the input.
void Metafile(const uint8_t *data, size_t size)
{
    // A copy of exactly the input's size, so that ASan sees any read past it.
    const std::vector<uint8_t> bytes(data, data + size);
    const uint8_t *p = bytes.data();
    if (bytes.empty())
        return;
    if (WmfRecordsAreSound(p, size)) {
        size_t at = 18;
        for (;;) {
            Check(at + 6 <= size);
            const uint32_t words = uint32_t(p[at] | p[at + 1] << 8 | p[at + 2] << 16) | uint32_t(p[at + 3])
                                                                                            << 24;
            Check(words >= 3 && words <= (size - at) / 2);
            if ((p[at + 4] | p[at + 5]) == 0)
                break;
            at += size_t(words) * 2;
        }
    }
    EmfRecordsAreSound(p, size);
}

// The string and path part parsers' text handling (toolkit/MbcsText,
// toolkit/PathSyntax), in a single-byte code page and in a double-byte one.
// The first byte picks the code page and the delimiters' length; the rest is
// the text. Checked: every offset lies on a character boundary inside the
// text, the path parts fit together (folder, name, title and extension), and
// the tokens are exactly the runs of non-delimiter characters of a plain
// walk over the text.
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

void Parts(const uint8_t *data, size_t size)
{
    if (size < 1)
        return;
    const mbcs::LeadByteTest isLead = (data[0] & 1) ? ShiftJisLeadByte : NoLeadBytes;
    const size_t delimiterBytes = (data[0] >> 1) & 7;
    const std::string rest = TextOf(data + 1, size - 1);
    const std::string delimiters = rest.substr(0, delimiterBytes);
    CheckPath(rest, isLead);
    CheckTokens(rest.substr(delimiters.size()), delimiters, isLead);
}

const std::map<std::string, void (*)(const uint8_t *data, size_t size)> kTargets = {
    {"dib", Dib},           {"palette", Palette}, {"identity", Identity}, {"cache_record", CacheRecords},
    {"metafile", Metafile}, {"parts", Parts}};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // tests/fuzz/run.sh names the reader; an unknown name throws on the first input.
    const char *name = std::getenv("QRV_FUZZ_TARGET");
    static const auto fuzz = kTargets.at(name ? name : "");
    fuzz(data, size);
    return 0;
}
