#include "ReaderFuzzTarget.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    RunReaderFuzzInput(data, size);
    return 0;
}
