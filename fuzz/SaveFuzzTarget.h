#pragma once

#include <cstddef>
#include <cstdint>

// The crash-safe save under faults. The first byte picks a fault (none, a refused open, a disk
// that fills after some bytes, a failing flush or close, a failing rename, another writer saving
// meanwhile), the second where a write fails; the rest is the file before, then after a line
// "\x01" the changes, one per line: "section\tkey\tvalue" writes, "-section" erases. Checks
// that a failed save leaves the old file and no temporary file, and that a save that succeeded
// reads back as the store saw it.
void RunSaveFuzzInput(const std::uint8_t* data, std::size_t size);
