/* The check both C tests of the library count their failures with: a failed one names its place
 * and says what went wrong, and the test goes on. */
#pragma once

#include <stdio.h>

static int failures;

#define EXPECT(condition, ...)                                                                               \
    do {                                                                                                     \
        if (!(condition)) {                                                                                  \
            ++failures;                                                                                      \
            fprintf(stderr, "%s:%d: ", __FILE__, __LINE__);                                                  \
            fprintf(stderr, __VA_ARGS__);                                                                    \
            fputc('\n', stderr);                                                                             \
        }                                                                                                    \
    } while (0)
