// Code for processors with AVX2 beside the code for every x86 processor: a
// function marked QRV_TARGET_AVX2 is compiled for AVX2 and may only run when
// HasAvx2() is true.
#pragma once

#define QRV_TARGET_AVX2 __attribute__((target("avx2")))

namespace qrv::img {

inline bool HasAvx2()
{
    // The processor is asked once, on first use (possibly before the
    // library's own constructors ran, so it is initialised here).
    static const bool has = (__builtin_cpu_init(), __builtin_cpu_supports("avx2"));
    return has;
}

// The code a component runs: the fastest this processor has, or the code for
// every x86 processor (both give the same results; tests compare them).
enum class CodePath { kFastest, kPortable };

}  // namespace qrv::img
