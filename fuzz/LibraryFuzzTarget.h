#pragma once

#include <cstddef>
#include <cstdint>

// Calls libtintrel's C interface with the bytes split at NUL bytes: the first piece's first byte
// chooses the call (write, decode, count, fit, check contrast), the pieces after it are options
// ("name" or "name=value"), the last one is the text. Checks that every call returns a status
// of the interface, an output exactly when the status has one, and a one-line message exactly
// when it fails.
void RunLibraryFuzzInput(const std::uint8_t* data, std::size_t size);
