#include "support/FailingAllocations.h"

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace tessaro::test {

namespace {

std::atomic<std::size_t> failFrom{SIZE_MAX};
std::atomic<int> failures{0};
std::atomic<int> failuresLeft{-1};  // -1: no end

bool MustFail(std::size_t size) {
    if (size < failFrom.load(std::memory_order_relaxed)) {
        return false;
    }
    const int left = failuresLeft.load(std::memory_order_relaxed);
    if (left == 0) {
        return false;
    }
    if (left > 0) {
        failuresLeft.store(left - 1, std::memory_order_relaxed);
    }
    failures.fetch_add(1, std::memory_order_relaxed);
    return true;
}

}  // namespace

FailingAllocations::FailingAllocations(std::size_t fromBytes, int failuresToCome) {
    failures = 0;
    failuresLeft = failuresToCome;
    failFrom = fromBytes;
}

FailingAllocations::~FailingAllocations() { failFrom = SIZE_MAX; }

int FailingAllocations::Failures() const { return failures; }

}  // namespace tessaro::test

#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__)
// glibc lets a program take the place of malloc, and its operator new allocates through it.
extern "C" void* __libc_malloc(std::size_t size);

extern "C" void* malloc(std::size_t size) {
    if (tessaro::test::MustFail(size)) {
        errno = ENOMEM;
        return nullptr;
    }
    return __libc_malloc(size);
}

bool tessaro::test::FailingAllocations::MallocFails() { return true; }
#else
void* operator new(std::size_t size) {
    if (tessaro::test::MustFail(size)) {
        throw std::bad_alloc();
    }
    if (void* memory = std::malloc(size > 0 ? size : 1)) {
        return memory;
    }
    throw std::bad_alloc();
}

// Arrays too: under AddressSanitizer its runtime takes new[] itself rather than through new.
void* operator new[](std::size_t size) { return operator new(size); }

void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t /*size*/) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t /*size*/) noexcept { std::free(memory); }

bool tessaro::test::FailingAllocations::MallocFails() { return false; }
#endif
