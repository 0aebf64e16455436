#include "catalogue/CacheRecord.h"
#include <stdio.h>
#include <stdlib.h>

namespace {
const char* OrEmpty(const char* psz) { return psz ? psz : ""; }

bool Flag(const char* psz) { return atoi(OrEmpty(psz)) != 0; }

void DecodeFirmware(const char* pszText, unsigned char legacyCode, CacheRecord& record)
{
    int x = 0, y = 0;
    sscanf(OrEmpty(pszText), "%d.%d", &x, &y);
    if (record.code == legacyCode) {
        record.version = static_cast<unsigned short>((x & 0xFF) * 256 + (y & 0xFF));
        return;
    }
    record.major = x;
    record.minor = y;
    record.version = static_cast<unsigned short>((x & 15) * 16 + (y & 15));
}
}

void DecodeCacheRecord(const CacheRecordTexts& texts, unsigned char legacyCode, CacheRecord& record)
{
    record.code = static_cast<unsigned char>(atoi(OrEmpty(texts.code)) & 0xFF);
    DecodeFirmware(texts.firmware, legacyCode, record);
    record.dproto = Flag(texts.dproto);
    record.tags = Flag(texts.tags);
    record.oldTags = Flag(texts.oldTags);
    record.special = Flag(texts.special);
}
