#pragma once

#include <string>
#include <string_view>

// The line end of every text Tintrel writes.
inline constexpr std::string_view kCrLf = "\r\n";

// The pieces one after the other, in one allocation. (Chains of operator+ on a literal trip a
// false GCC 12 -Wrestrict warning in optimised builds.)
template <typename... Pieces> std::string Join(const Pieces&... pieces) {
    std::string joined;
    joined.reserve((std::string_view(pieces).size() + ...));
    (joined.append(std::string_view(pieces)), ...);
    return joined;
}
