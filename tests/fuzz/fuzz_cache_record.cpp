// libFuzzer target for the catalogue's registry cache records. The input is
// cut at NULs into the texts of the values (project code, firmware, the four
// flags). The decoded record must keep the version word's rules, and a
// record written back as texts must decode to itself.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "catalogue/CacheRecord.h"

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
    texts.code = parts[0].c_str();
    texts.firmware = parts[1].c_str();
    texts.dproto = parts[2].c_str();
    texts.tags = parts[3].c_str();
    texts.oldTags = parts[4].c_str();
    texts.special = parts[5].c_str();
    CacheRecord record;
    DecodeCacheRecord(texts, kLegacy, record);
    return record;
}

std::string Text(int n)
{
    return std::to_string(n);
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
        if (record.version != ((record.major & 15) * 16 + (record.minor & 15)))
            std::abort();
        // Written back as the cache writes a packed version: major.minor.
        std::vector<std::string> again = {Text(record.code),    Text(record.major) + "." + Text(record.minor),
                                          Text(record.dproto),  Text(record.tags),
                                          Text(record.oldTags), Text(record.special)};
        if (!Same(Decode(again), record))
            std::abort();
    } else if (record.major != 0 || record.minor != 0) {
        std::abort(); // the legacy form leaves major and minor alone
    }
    return 0;
}
