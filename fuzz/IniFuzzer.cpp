#include "IniFuzzTarget.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    RunIniFuzzInput(data, size);
    return 0;
}
