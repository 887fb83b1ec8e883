#pragma once

#include <cstddef>
#include <cstdint>

// Reads the bytes as gradient text of any kind. Checks that nothing escapes the reader and that
// what it reads is whole: units one after another, each inside the text read, together the text.
void RunReaderFuzzInput(const std::uint8_t* data, std::size_t size);
