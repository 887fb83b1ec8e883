#include "engine/OutputKind.h"

namespace {

constexpr std::string_view kNames[] = {"font", "css", "bbcode", "ansi", "ansi256"};

} // namespace

std::string_view OutputKindName(TOutputKind kind) {
    const auto index = static_cast<std::size_t>(kind);
    return index < std::size(kNames) ? kNames[index] : kNames[okFont];
}

std::optional<TOutputKind> OutputKindFromName(std::string_view name) {
    for (std::size_t index = 0; index < std::size(kNames); ++index) {
        if (kNames[index] == name) {
            return static_cast<TOutputKind>(index);
        }
    }
    return std::nullopt;
}
