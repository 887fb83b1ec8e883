#include "engine/Cp932Table.h"

namespace {

std::size_t LeadIndex(unsigned char lead) {
    return lead <= 0x9F ? lead - 0x81u : lead - 0xE0u + (0x9F - 0x81 + 1);
}

} // namespace

char32_t Cp932CodePoint(std::string_view character) {
    if (character.empty()) {
        return 0xFFFD;
    }
    const auto lead = static_cast<unsigned char>(character[0]);
    if (character.size() >= 2 && IsCp932Lead(lead)) {
        return kCp932Decode[256 + LeadIndex(lead) * 256 + static_cast<unsigned char>(character[1])];
    }
    return kCp932Decode[lead];
}
