#include "Time.h"
#include <string.h>

namespace {
thread_local struct tm t_tm;

CString FormatTm(const struct tm* ptm, LPCSTR pFormat)
{
    if (!ptm || !pFormat)
        return CString();
    char buffer[512];
    size_t n = strftime(buffer, sizeof buffer, pFormat, ptm);
    buffer[n < sizeof buffer ? n : sizeof buffer - 1] = '\0';
    return buffer;
}

time_t MakeLocal(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST)
{
    struct tm atm = {};
    atm.tm_year = nYear - 1900;
    atm.tm_mon = nMonth - 1;
    atm.tm_mday = nDay;
    atm.tm_hour = nHour;
    atm.tm_min = nMin;
    atm.tm_sec = nSec;
    atm.tm_isdst = nDST;
    return mktime(&atm);
}
}

CTime PASCAL CTime::GetCurrentTime()
{
    return CTime(::time(nullptr));
}

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST)
    : m_time(MakeLocal(nYear, nMonth, nDay, nHour, nMin, nSec, nDST))
{
}

CTime::CTime(WORD wDosDate, WORD wDosTime, int nDST)
    : m_time(MakeLocal((wDosDate >> 9) + 1980, (wDosDate >> 5) & 0xF, wDosDate & 0x1F, wDosTime >> 11,
                       (wDosTime >> 5) & 0x3F, (wDosTime & 0x1F) * 2, nDST))
{
}

CTime::CTime(const SYSTEMTIME& sysTime, int nDST)
    : m_time(sysTime.wYear < 1900 ? (time_t)-1
                                  : MakeLocal(sysTime.wYear, sysTime.wMonth, sysTime.wDay, sysTime.wHour,
                                              sysTime.wMinute, sysTime.wSecond, nDST))
{
}

CTime::CTime(const FILETIME& fileTime, int nDST) : m_time((time_t)-1)
{
    // A file time is UTC: to local time, then broken down as the platform does.
    FILETIME localTime;
    SYSTEMTIME sysTime;
    if (::FileTimeToLocalFileTime(&fileTime, &localTime) && ::FileTimeToSystemTime(&localTime, &sysTime))
        *this = CTime(sysTime, nDST);
}

struct tm* CTime::GetGmtTm(struct tm* ptm) const
{
    struct tm* p = gmtime(&m_time);
    if (!p)
        return nullptr;
    struct tm* dest = ptm ? ptm : &t_tm;
    *dest = *p;
    return dest;
}

struct tm* CTime::GetLocalTm(struct tm* ptm) const
{
    struct tm* p = localtime(&m_time);
    if (!p)
        return nullptr;
    struct tm* dest = ptm ? ptm : &t_tm;
    *dest = *p;
    return dest;
}

BOOL CTime::GetAsSystemTime(SYSTEMTIME& timeDest) const
{
    struct tm ttm;
    if (!GetLocalTm(&ttm))
        return FALSE;
    timeDest = SYSTEMTIME{};
    timeDest.wYear = (WORD)(1900 + ttm.tm_year);
    timeDest.wMonth = (WORD)(1 + ttm.tm_mon);
    timeDest.wDayOfWeek = (WORD)ttm.tm_wday;
    timeDest.wDay = (WORD)ttm.tm_mday;
    timeDest.wHour = (WORD)ttm.tm_hour;
    timeDest.wMinute = (WORD)ttm.tm_min;
    timeDest.wSecond = (WORD)ttm.tm_sec;
    return TRUE;
}

int CTime::GetYear() const { struct tm t; return GetLocalTm(&t) ? t.tm_year + 1900 : 0; }
int CTime::GetMonth() const { struct tm t; return GetLocalTm(&t) ? t.tm_mon + 1 : 0; }
int CTime::GetDay() const { struct tm t; return GetLocalTm(&t) ? t.tm_mday : 0; }
int CTime::GetHour() const { struct tm t; return GetLocalTm(&t) ? t.tm_hour : -1; }
int CTime::GetMinute() const { struct tm t; return GetLocalTm(&t) ? t.tm_min : -1; }
int CTime::GetSecond() const { struct tm t; return GetLocalTm(&t) ? t.tm_sec : -1; }
int CTime::GetDayOfWeek() const { struct tm t; return GetLocalTm(&t) ? t.tm_wday + 1 : 0; }

CString CTime::Format(LPCSTR pFormat) const
{
    struct tm t;
    return FormatTm(GetLocalTm(&t), pFormat);
}

CString CTime::FormatGmt(LPCSTR pFormat) const
{
    struct tm t;
    return FormatTm(GetGmtTm(&t), pFormat);
}

CString CTime::Format(UINT nFormatID) const
{
    CString strFormat;
    strFormat.LoadString(nFormatID);
    return Format(strFormat);
}

CString CTime::FormatGmt(UINT nFormatID) const
{
    CString strFormat;
    strFormat.LoadString(nFormatID);
    return FormatGmt(strFormat);
}

CString CTimeSpan::Format(LPCSTR pFormat) const
{
    CString result;
    if (!pFormat)
        return result;
    char number[32];
    for (const char* p = pFormat; *p; ++p) {
        if (*p != '%' || !p[1]) {
            result += *p;
            continue;
        }
        switch (*++p) {
        case 'D': wsprintfA(number, "%ld", GetDays()); result += number; break;
        case 'H': wsprintfA(number, "%02d", GetHours()); result += number; break;
        case 'M': wsprintfA(number, "%02d", GetMinutes()); result += number; break;
        case 'S': wsprintfA(number, "%02d", GetSeconds()); result += number; break;
        default: result += *p; break;
        }
    }
    return result;
}
