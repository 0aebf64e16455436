// Memory for the rows of images.
//
// Large blocks come straight from the system and go back to it when freed
// (glibc above its mmap threshold, Windows' heap above 512 KB), so every new
// image of that size pays a page fault for each of its pages, under Wine
// several microseconds each. An image pipeline makes images of the same few
// sizes again and again: a preview rebuilt at every step of a slider makes
// each stage's result anew. Blocks of at least kKeptFrom bytes that are given
// back are therefore kept, at most kKeptBytes in all (the oldest go first),
// and handed out again for a request they fit without wasting half of
// themselves.
#pragma once

#include <cstddef>

namespace qrv::img {

class PixelMemory {
public:
    static constexpr size_t kKeptFrom = size_t(256) << 10;
    static constexpr size_t kKeptBytes = size_t(64) << 20;

    // At least `bytes` bytes, aligned for any type; throws std::bad_alloc.
    static void* Take(size_t bytes);
    // Gives back a block Take(bytes) answered.
    static void Give(void* p, size_t bytes) noexcept;
    // Bytes kept for later requests.
    static size_t KeptBytes();
};

// The allocator of an image's rows.
template <class T> struct PixelAllocator {
    using value_type = T;
    PixelAllocator() = default;
    template <class U> PixelAllocator(const PixelAllocator<U>&) {}
    T* allocate(size_t n) { return static_cast<T*>(PixelMemory::Take(n * sizeof(T))); }
    void deallocate(T* p, size_t n) noexcept { PixelMemory::Give(p, n * sizeof(T)); }
    template <class U> bool operator==(const PixelAllocator<U>&) const { return true; }
    template <class U> bool operator!=(const PixelAllocator<U>&) const { return false; }
};

}  // namespace qrv::img
