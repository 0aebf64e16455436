// libFuzzer target for the catalogue's registry cache records. The input is
// cut at NULs into the texts of the values (project code, firmware, the four
// flags). The decoded record must keep the version word's rules, and a
// record written back as texts must decode to itself.
#include <string>
#include <vector>

#include "catalogue/CacheRecord.h"
#include "tests/fuzz/FuzzCheck.h"

namespace {

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::vector<std::string> parts(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            if (parts.size() == 6)
                break;
            parts.emplace_back();
        } else {
            parts.back() += static_cast<char>(data[i]);
        }
    }
    parts.resize(6);
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
    return 0;
}
