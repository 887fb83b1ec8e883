#pragma once

#include "companion/HtmlCompanion.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// What one run of the companion wrote, held in memory.
struct TCompanionRun {
    int Status = 0;
    std::string Out; // empty when the arguments were refused (status 2)
    std::string Err;
    TBudgetReport Budget; // what a paste target's length budget came to
};

// Runs the companion with `args`, `input` as its standard input and `environment` as its
// surroundings (nullptr: no environment at all), for a caller inside another program: the page
// and the library. The notes on the length budget are in Budget, not in Err. A failure that
// ends the run (out of memory, a file that cannot be read) is status 1 with one line in Err;
// nothing escapes.
TCompanionRun RunCompanionInMemory(const std::vector<std::string>& args, std::string_view input,
                                   const std::function<const char*(const char* name)>& environment,
                                   std::size_t inputLimit = kCompanionInputLimit);
