#pragma once

#include <cstdio>
#include <cstdlib>

// Stops the run with a message when a property of the decoder does not hold; libFuzzer saves the
// input that did it as a crash.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);     \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
