#pragma once

#include <cstddef>
#include <cstdint>

// Runs tintrel-html's argument handling on the bytes as arguments (split at NUL bytes), with a
// short standard input. Checks that it either succeeds or refuses with status 2, nothing on
// standard output and one line of valid text naming the fault.
void RunCompanionFuzzInput(const std::uint8_t* data, std::size_t size);
