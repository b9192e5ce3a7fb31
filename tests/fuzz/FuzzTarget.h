// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Each fuzz target is one function over a byte buffer. libFuzzer calls it with the inputs it
// grows; the replay program in `make test` calls it with every file of the committed corpus.
// A target stops the process (abort) on a broken promise, so both report it.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                                 \
    do {                                                                      \
        if (!(condition)) {                                                   \
            std::fprintf(stderr, "%s:%d: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                     \
        }                                                                     \
    } while (0)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
