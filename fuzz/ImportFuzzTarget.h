#pragma once

#include <cstddef>
#include <cstdint>

// Imports the bytes as a style file into a settings file that lists one style. Checks that a
// refused file changes nothing, and that an imported one is listed, stored and loads.
void RunImportFuzzInput(const std::uint8_t* data, std::size_t size);
