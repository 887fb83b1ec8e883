#include "engine/FrameContainer.h"

#include <array>
#include <cstdio>

namespace {

struct TContainerName {
    TFrameContainer Container;
    std::string_view Name;
};

constexpr std::array<TContainerName, 4> kContainerNames{{
    {TFrameContainer::Lines, "lines"},
    {TFrameContainer::Tab, "tab"},
    {TFrameContainer::Velocitab, "velocitab"},
    {TFrameContainer::Json, "json"},
}};

// A control character as "\xNN" (YAML) or "\u00NN" (JSON).
std::string Escaped(unsigned char c, const char* format) {
    std::array<char, 8> code{};
    std::snprintf(code.data(), code.size(), format, static_cast<unsigned>(c));
    return code.data();
}

// Both languages escape the same characters: the quote, the backslash and every control
// character (a terminal kind's frames hold ESC); YAML also takes DEL only escaped.
std::string Quoted(std::string_view utf8, const char* controlFormat) {
    std::string quoted = "\"";
    quoted.reserve(utf8.size() + 2);
    for (const char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        if (ch == '"' || ch == '\\') {
            quoted += '\\';
            quoted += ch;
        } else if (c < 0x20 || c == 0x7F) {
            quoted += Escaped(c, controlFormat);
        } else {
            quoted += ch;
        }
    }
    quoted += '"';
    return quoted;
}

} // namespace

std::optional<TFrameContainer> FrameContainerFromName(std::string_view name) {
    for (const TContainerName& entry : kContainerNames) {
        if (entry.Name == name) {
            return entry.Container;
        }
    }
    return std::nullopt;
}

std::string_view FrameContainerNames() {
    return "lines, tab, velocitab or json";
}

std::string YamlQuoted(std::string_view utf8) {
    return Quoted(utf8, "\\x%02x");
}

std::string JsonQuoted(std::string_view utf8) {
    return Quoted(utf8, "\\u%04x");
}

TFrameWriter::TFrameWriter(TFrameContainer container, TOutputSink& out, std::string_view name, int interval)
    : container_(container), out_(out) {
    switch (container_) {
    case TFrameContainer::Tab:
        out_.Write(std::string(name) + ":\n  change-interval: " + std::to_string(interval) + "\n  texts:\n");
        break;
    case TFrameContainer::Json:
        out_.Write("[");
        break;
    case TFrameContainer::Lines:
    case TFrameContainer::Velocitab:
        break;
    }
}

void TFrameWriter::Frame(std::string_view frame) {
    switch (container_) {
    case TFrameContainer::Lines:
        out_.Write(frame);
        out_.Write("\n");
        break;
    case TFrameContainer::Tab:
        out_.Write("  - " + YamlQuoted(frame) + "\n");
        break;
    case TFrameContainer::Velocitab:
        out_.Write("- " + YamlQuoted(frame) + "\n");
        break;
    case TFrameContainer::Json:
        out_.Write((first_ ? "\n  " : ",\n  ") + JsonQuoted(frame));
        break;
    }
    first_ = false;
}

void TFrameWriter::Finish() {
    if (container_ == TFrameContainer::Json) {
        out_.Write(first_ ? "]\n" : "\n]\n");
    }
}
