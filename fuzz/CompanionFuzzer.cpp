#include "CompanionFuzzTarget.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    RunCompanionFuzzInput(data, size);
    return 0;
}
