#include "LibraryFuzzTarget.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    RunLibraryFuzzInput(data, size);
    return 0;
}
