// The typed entry-point lookup and call of QRVPlcDriver, shared by the
// source files that implement its members. Private to driver/.
#pragma once
#include "driver/QRVPlcDriver.h"
#include <type_traits>

// ----------------------------------------------------------------------------
// Entry-point lookup

template <typename Fn>
Fn QRVPlcDriver::Lookup(const char* pszName) const
{
    if (m_hModule == nullptr)
        return nullptr;
    return reinterpret_cast<Fn>(::GetProcAddress(m_hModule, pszName));
}

template <typename Fn, typename R, typename... A>
R QRVPlcDriver::Call(const char* pszName, R fallback, A... args) const
{
    Fn pfn = Lookup<Fn>(pszName);
    if (pfn == nullptr)
        return fallback;
    if constexpr (std::is_void_v<std::invoke_result_t<Fn, A...>>)
    {
        pfn(args...);
        return R(1);
    }
    else
    {
        return static_cast<R>(pfn(args...));
    }
}
