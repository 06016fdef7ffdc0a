// SPDX-License-Identifier: MIT
// operator new and delete of this program, counting every allocation.
#include "allocation/CountingAllocator.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long> allocations{0};
std::atomic<long long> bytes{0};
}  // namespace

Allocated allocated() {
    return {allocations.load(), bytes.load()};
}

void* operator new(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    bytes.fetch_add(static_cast<long long>(size), std::memory_order_relaxed);
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept {
    std::free(memory);
}

void operator delete(void* memory, std::size_t /*size*/) noexcept {
    std::free(memory);
}
