// One driver descriptor of the catalogue's registry cache, from the texts of
// its values to the fields a descriptor keeps. Plain C++ without Windows
// headers, so that the decoding can be fuzzed natively; the cache is outside
// data (any program of the user can write it).
#pragma once

// The values' texts as read; a missing value reads as "".
struct CacheRecordTexts
{
    const char* code = "";
    const char* firmware = "";
    const char* dproto = "";
    const char* tags = "";
    const char* oldTags = "";
    const char* special = "";
};

struct CacheRecord
{
    unsigned char code = 0;
    unsigned short version = 0;
    int major = 0;
    int minor = 0;
    bool dproto = false;
    bool tags = false;
    bool oldTags = false;
    bool special = false;
};

// The project code is the decimal's low byte. The firmware "x.y" gives the
// version word: for the legacy project code both bytes (major and minor left
// as they are), otherwise major and minor and their low nibbles packed.
// A flag is set when its decimal is not 0.
void DecodeCacheRecord(const CacheRecordTexts& texts, unsigned char legacyCode, CacheRecord& record);
