#include "SaveFuzzTarget.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    RunSaveFuzzInput(data, size);
    return 0;
}
