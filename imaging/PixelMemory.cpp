#include "imaging/PixelMemory.h"

#include <cstdlib>
#include <mutex>
#include <new>
#include <vector>

// Under AddressSanitizer the part of a block no image owns is poisoned: a
// stale pointer into rows that were given back, or a read past the bytes a
// request asked for, is then reported instead of reading another image's
// pixels. Without it the macros do nothing, as the sanitizer's own header
// has them (which the Windows compilers do not ship).
#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#else
#define ASAN_POISON_MEMORY_REGION(addr, size) ((void)(addr), (void)(size))
#define ASAN_UNPOISON_MEMORY_REGION(addr, size) ((void)(addr), (void)(size))
#endif

namespace qrv::img {

namespace {

// A kept block's size lies in a header in front of it, since a block handed
// out for a smaller request is given back with that request's size.
constexpr size_t kHeader = 64;

struct Kept {
    // Room for as many blocks as can be kept, so that giving one back never
    // allocates.
    Kept() { blocks.reserve(PixelMemory::kKeptBytes / PixelMemory::kKeptFrom + 1); }
    std::mutex lock;
    std::vector<void*> blocks;  // oldest first
    size_t bytes = 0;
};

// Never destroyed: images in other static objects give their rows back at
// exit, after any static of this file would be gone.
Kept& Pool()
{
    static Kept* pool = new Kept;
    return* pool;
}

size_t& SizeOf(void* block)
{
    return* static_cast<size_t*>(block);
}

void* Payload(void* block)
{
    return static_cast<char*>(block) + kHeader;
}

void* BlockOf(void* payload)
{
    return static_cast<char*>(payload) - kHeader;
}

// The smallest kept block that holds `bytes` and is less than twice as
// large, taken out of the pool; null when there is none.
void* TakeKept(size_t bytes)
{
    Kept& pool = Pool();
    const std::lock_guard<std::mutex> hold(pool.lock);
    size_t best = pool.blocks.size();
    for (size_t i = 0; i < pool.blocks.size(); ++i) {
        const size_t size = SizeOf(pool.blocks[i]);
        if (size >= bytes && size / 2 < bytes &&
            (best == pool.blocks.size() || size < SizeOf(pool.blocks[best])))
            best = i;
    }
    if (best == pool.blocks.size())
        return nullptr;
    void* block = pool.blocks[best];
    pool.blocks.erase(pool.blocks.begin() + std::ptrdiff_t(best));
    pool.bytes -= SizeOf(block);
    return block;
}

}  // namespace

void* PixelMemory::Take(size_t bytes)
{
    if (bytes < kKeptFrom)
        return ::operator new(bytes);
    void* block = TakeKept(bytes);
    if (!block) {
        if (bytes > size_t(-1) - kHeader)
            throw std::bad_alloc();
        block = std::malloc(kHeader + bytes);
        if (!block)
            throw std::bad_alloc();
        SizeOf(block) = bytes;
    }
    ASAN_UNPOISON_MEMORY_REGION(Payload(block), bytes);
    ASAN_POISON_MEMORY_REGION(static_cast<char*>(Payload(block)) + bytes, SizeOf(block) - bytes);
    return Payload(block);
}

void PixelMemory::Give(void* p, size_t bytes) noexcept
{
    if (!p)
        return;
    if (bytes < kKeptFrom) {
        ::operator delete(p);
        return;
    }
    void* block = BlockOf(p);
    const size_t size = SizeOf(block);
    if (size > kKeptBytes) {
        ASAN_UNPOISON_MEMORY_REGION(p, size);
        std::free(block);
        return;
    }
    ASAN_POISON_MEMORY_REGION(p, size);
    Kept& pool = Pool();
    const std::lock_guard<std::mutex> hold(pool.lock);
    pool.blocks.push_back(block);  // within the capacity reserved
    pool.bytes += size;
    while (pool.bytes > kKeptBytes) {
        void* oldest = pool.blocks.front();
        pool.blocks.erase(pool.blocks.begin());
        pool.bytes -= SizeOf(oldest);
        ASAN_UNPOISON_MEMORY_REGION(Payload(oldest), SizeOf(oldest));
        std::free(oldest);
    }
}

size_t PixelMemory::KeptBytes()
{
    Kept& pool = Pool();
    const std::lock_guard<std::mutex> hold(pool.lock);
    return pool.bytes;
}

}  // namespace qrv::img
