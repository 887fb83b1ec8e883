#pragma once

#include <cstddef>
#include <cstdint>

// Reads the bytes as a settings file, checks what must hold for any file (it rewrites to
// itself, every listed key reads back, accepted writes read back, refused ones change nothing)
// and runs every typed read over it. Aborts on a broken rule.
void RunIniFuzzInput(const std::uint8_t* data, std::size_t size);
