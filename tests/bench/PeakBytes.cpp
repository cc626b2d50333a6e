#include "PeakBytes.h"

#include <atomic>
#include <cstdlib>
#include <malloc.h>
#include <new>

namespace {
// Counting of live heap bytes while `counting` is set. The size of a block is
// what the allocator reports for it, so nothing is stored in front of the
// block (reading such a header back confuses GCC's bounds checks once the
// delete is inlined into library code).
std::atomic<bool> counting{false};
std::atomic<long long> liveBytes{0}, peakBytes{0};
} // namespace

void StartCountingBytes() {
    liveBytes = 0;
    peakBytes = 0;
    counting = true;
}

long long StopCountingBytes() {
    counting = false;
    return peakBytes;
}

void* operator new(size_t size) {
    void* p = std::malloc(size == 0 ? 1 : size);
    if (!p)
        throw std::bad_alloc();
    if (counting) {
        const long long now = liveBytes += static_cast<long long>(malloc_usable_size(p));
        long long peak = peakBytes;
        while (now > peak && !peakBytes.compare_exchange_weak(peak, now))
            ;
    }
    return p;
}

// GCC pairs the malloc in operator new above with this free only when it
// cannot see both; inlined into the library's deallocations it warns.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept {
    if (!p)
        return;
    if (counting)
        liveBytes -= static_cast<long long>(malloc_usable_size(p));
    std::free(p);
}

void operator delete(void* p, size_t) noexcept {
    operator delete(p);
}
#pragma GCC diagnostic pop
