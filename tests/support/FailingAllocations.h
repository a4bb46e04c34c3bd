#pragma once

#include <cstddef>

namespace tessaro::test {

// While one lives, every allocation of the program of at least `fromBytes` bytes fails (or
// only the first `failures` of them), as when memory has run out (the big ones fail
// first): operator new throws std::bad_alloc,
// and where a program can take the place of malloc (Linux, not under AddressSanitizer)
// malloc returns none as well, which Qt turns into std::bad_alloc. Only for the test
// programs that have FailingAllocations.cpp among their sources.
class FailingAllocations {
public:
    explicit FailingAllocations(std::size_t fromBytes, int failures = -1);
    ~FailingAllocations();
    FailingAllocations(const FailingAllocations&) = delete;
    FailingAllocations& operator=(const FailingAllocations&) = delete;

    // How many allocations have failed since it was made.
    int Failures() const;

    // Whether malloc fails too, and not only operator new.
    static bool MallocFails();
};

}  // namespace tessaro::test
