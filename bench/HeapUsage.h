#pragma once

#include <cstdint>

// The heap bytes in use through malloc and its kin (Qt's containers and
// operator new alike), counted by this benchmark program's own malloc, for
// the memory figures of the benchmarks.
class HeapUsage
{
public:
    static std::int64_t current();
    static std::int64_t peak();
    // Makes the peak the present use, to measure the peak of what follows.
    static void resetPeak();
};
