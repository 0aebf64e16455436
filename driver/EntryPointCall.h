// The typed entry-point lookup and call of QRVPlcDriver, shared by the
// source files that implement its members. Private to the library.
#pragma once
#include "driver/EntryPoints.h"
#include <type_traits>

// One entry point of a module with the result it answers when the module
// lacks it. An entry point whose result is ignored is
// declared as returning void; calling it answers R(1).
template <typename Entry, typename R> class DriverCall
{
public:
    // pfn: the entry point as QRVPlcDriver::Lookup finds it, or null.
    DriverCall(typename Entry::Fn pfn, R fallback) : m_pfn(pfn), m_fallback(fallback) {}

    template <typename... A> R operator()(A... args) const
    {
        if (m_pfn == nullptr)
            return m_fallback;
        if constexpr (std::is_void_v<std::invoke_result_t<typename Entry::Fn, A...>>)
        {
            m_pfn(args...);
            return R(1);
        }
        else
        {
            return static_cast<R>(m_pfn(args...));
        }
    }

private:
    typename Entry::Fn m_pfn;
    R m_fallback;
};

template <typename Entry> typename Entry::Fn QRVPlcDriver::Lookup() const
{
    if (m_hModule == nullptr)
        return nullptr;
    return reinterpret_cast<typename Entry::Fn>(::GetProcAddress(m_hModule, Entry::Name));
}

template <typename Entry, typename R, typename... A>
R QRVPlcDriver::Call(R fallback, A... args) const
{
    return DriverCall<Entry, R>(Lookup<Entry>(), fallback)(args...);
}
