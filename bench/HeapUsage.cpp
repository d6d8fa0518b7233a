#include "bench/HeapUsage.h"

#include <atomic>
#include <cerrno>
#include <cstddef>
#include <malloc.h>

namespace {

// The counters must work before any constructor has run: constant-initialised atomics.
constinit std::atomic<std::int64_t> inUse{0};
constinit std::atomic<std::int64_t> highest{0};

} // namespace

// Under AddressSanitizer the sanitizer owns malloc: nothing is counted.
#ifndef __SANITIZE_ADDRESS__

// glibc's own allocator, under the names it exports for programs that wrap it.
extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* pointer, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
void __libc_free(void* pointer);
}

namespace {

void added(void* pointer)
{
    if (!pointer)
        return;
    const std::int64_t now = inUse += static_cast<std::int64_t>(malloc_usable_size(pointer));
    std::int64_t seen = highest.load(std::memory_order_relaxed);
    while (now > seen && !highest.compare_exchange_weak(seen, now, std::memory_order_relaxed)) {
    }
}

void removed(void* pointer)
{
    if (pointer)
        inUse -= static_cast<std::int64_t>(malloc_usable_size(pointer));
}

} // namespace

extern "C" {

void* malloc(size_t size) noexcept
{
    void* p = __libc_malloc(size);
    added(p);
    return p;
}

void* calloc(size_t count, size_t size) noexcept
{
    void* p = __libc_calloc(count, size);
    added(p);
    return p;
}

void* realloc(void* pointer, size_t size) noexcept
{
    removed(pointer);
    void* p = __libc_realloc(pointer, size);
    if (p)
        added(p);
    else if (size != 0)
        added(pointer); // the block stayed where it was
    return p;
}

void* memalign(size_t alignment, size_t size) noexcept
{
    void* p = __libc_memalign(alignment, size);
    added(p);
    return p;
}

void* aligned_alloc(size_t alignment, size_t size) noexcept
{
    return memalign(alignment, size);
}

int posix_memalign(void** out, size_t alignment, size_t size) noexcept
{
    void* p = memalign(alignment, size);
    if (!p)
        return ENOMEM;
    *out = p;
    return 0;
}

void free(void* pointer) noexcept
{
    removed(pointer);
    __libc_free(pointer);
}
}

#endif

std::int64_t HeapUsage::current()
{
    return inUse.load();
}

std::int64_t HeapUsage::peak()
{
    return highest.load();
}

void HeapUsage::resetPeak()
{
    highest = inUse.load();
}
