#include "store/IniGT.h"

#include "store/IniErrors.h"
#include "store/IniText.h"

#include <cstdio>
#include <optional>
#include <utility>

namespace {

constexpr std::string_view kOpenParenthesis = "\xA2";
constexpr std::string_view kCloseParenthesis = "\xA3";

std::optional<std::uint32_t> ParseHexDigits(std::string_view digits) {
    if (digits.empty() || digits.size() > 8) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    for (const char c : digits) {
        std::uint32_t digit = 0;
        if (c >= '0' && c <= '9') {
            digit = static_cast<std::uint32_t>(c - '0');
        } else if (c >= 'A' && c <= 'F') {
            digit = static_cast<std::uint32_t>(c - 'A' + 10);
        } else if (c >= 'a' && c <= 'f') {
            digit = static_cast<std::uint32_t>(c - 'a' + 10);
        } else {
            return std::nullopt;
        }
        value = value * 16 + digit;
    }
    return value;
}

std::string HexText(std::uint32_t value) {
    char text[11];
    std::snprintf(text, sizeof text, "0x%08X", value);
    return text;
}

bool Fenced(std::string_view text, char open, char close) {
    return text.size() >= 2 && text.front() == open && text.back() == close;
}

std::string SubKey(std::string_view ident, std::string_view suffix) {
    return ConcatText({ident, suffix});
}

std::string ItemKey(std::string_view ident, std::size_t index) {
    return ConcatText({ident, ".", std::to_string(index)});
}

} // namespace

TIniGT::TIniGT() : TIniGT(TIniEnvironment::Current()) {}

TIniGT::TIniGT(TIniEnvironment environment)
    : environment_(std::move(environment)),
      file_(std::make_unique<TIniFile>(std::string(), environment_.FileOps)) {}

void TIniGT::Loaded() {
    if (fileName_.empty()) {
        SetFileName(DefaultIniFileName(environment_.ProgramPath.empty() ? std::string("tintrel")
                                                                        : environment_.ProgramPath));
    }
}

void TIniGT::SetDefaultDir(TIniGTDefaultDir value) {
    defaultDir_ = value;
    ResolvePath();
}

void TIniGT::SetFileName(std::string value) {
    fileName_ = std::move(value);
    ResolvePath();
}

void TIniGT::ResolvePath() {
    std::string path;
    bool createFolder = false;
    const std::string& home = environment_.ConfigHome;
    if (fileName_.empty() || fileName_.find('/') != std::string::npos || defaultDir_ == ddNone) {
        path = fileName_;
    } else if (defaultDir_ == ddApplication) {
        const std::string& program = environment_.ProgramPath;
        const std::size_t slash = program.rfind('/');
        const std::string folder = slash == std::string::npos ? std::string() : program.substr(0, slash + 1);
        if (!folder.empty() && environment_.FileOps->IsFolderWritable(folder)) {
            path = folder + fileName_;
        } else if (!home.empty()) {
            // An installed program cannot write beside itself: the user's own folder stands in.
            path = home + "/tintrel/" + fileName_;
            createFolder = true;
        } else {
            path = fileName_;
        }
    } else {
        path = home.empty() ? fileName_ : home + "/" + fileName_;
        createFolder = !home.empty();
    }
    file_ = std::make_unique<TIniFile>(std::move(path), environment_.FileOps, createFolder);
}

std::string TIniGT::ReadString(std::string_view section, std::string_view ident, std::string_view fallback) {
    auto value = file_->Read(section, ident);
    return value ? std::move(*value) : std::string(fallback);
}

void TIniGT::WriteString(std::string_view section, std::string_view ident, std::string_view value) {
    file_->Write(section, ident, value);
}

bool TIniGT::ReadBool(std::string_view section, std::string_view ident, bool fallback) {
    return ReadInteger(section, ident, fallback ? 1 : 0) != 0;
}

void TIniGT::WriteBool(std::string_view section, std::string_view ident, bool value) {
    file_->Write(section, ident, value ? "1" : "0");
}

int TIniGT::ReadInteger(std::string_view section, std::string_view ident, int fallback) {
    const auto text = file_->Read(section, ident);
    if (!text) {
        return fallback;
    }
    return ParseIniInteger(*text).value_or(fallback);
}

void TIniGT::WriteInteger(std::string_view section, std::string_view ident, int value) {
    file_->Write(section, ident, std::to_string(value));
}

std::string TIniGT::Wrap(std::string_view value, TIniGTFence fence) const {
    switch (fence) {
    case fnDoubleQuote:
        return ConcatText({"\"", value, "\""});
    case fnParenthesis:
    case fnVer11Mode:
        return ConcatText({kOpenParenthesis, value, kCloseParenthesis});
    case fnNone:
        break;
    }
    return std::string(value);
}

std::string TIniGT::ReadFenced(std::string_view section, std::string_view ident, std::string_view fallback,
                               TIniGTFence fence) {
    std::string text = ReadString(section, ident, Wrap(fallback, fence));
    const bool quoted = Fenced(text, '"', '"');
    const bool parenthesized = Fenced(text, kOpenParenthesis.front(), kCloseParenthesis.front());
    const bool unwrap = (fence == fnDoubleQuote && quoted) || (fence == fnParenthesis && parenthesized) ||
                        (fence == fnVer11Mode && (quoted || parenthesized));
    if (unwrap) {
        return text.substr(1, text.size() - 2);
    }
    return text;
}

std::string TIniGT::ReadFencedString(std::string_view section, std::string_view ident,
                                     std::string_view fallback) {
    return ReadFenced(section, ident, fallback, fence_);
}

void TIniGT::WriteFencedString(std::string_view section, std::string_view ident, std::string_view value) {
    file_->Write(section, ident, Wrap(value, fence_));
}

std::int32_t TIniGT::ReadHex(std::string_view section, std::string_view ident, std::int32_t fallback) {
    const std::string text = ReadString(section, ident, HexText(static_cast<std::uint32_t>(fallback)));
    const std::string_view digits = std::string_view(text).substr(std::min<std::size_t>(2, text.size()), 8);
    const auto value = ParseHexDigits(digits);
    if (!value) {
        throw EIniConvertError(std::string(section), std::string(ident), text, "Invalid hexadecimal value");
    }
    return static_cast<std::int32_t>(*value);
}

void TIniGT::WriteHex(std::string_view section, std::string_view ident, std::int32_t value) {
    file_->Write(section, ident, HexText(static_cast<std::uint32_t>(value)));
}

TColor TIniGT::ReadColor(std::string_view section, std::string_view ident, TColor fallback) {
    return static_cast<TColor>(ReadHex(section, ident, static_cast<std::int32_t>(fallback)));
}

void TIniGT::WriteColor(std::string_view section, std::string_view ident, TColor value) {
    WriteHex(section, ident, static_cast<std::int32_t>(value));
}

void TIniGT::ReadStrings(std::string_view section, std::string_view ident, std::vector<std::string>& target) {
    auto update = BeginUpdate();
    const std::string countKey = SubKey(ident, ".Count");
    std::size_t count = target.size();
    if (const auto text = file_->Read(section, countKey)) {
        if (const auto stored = ParseIniInteger(*text)) {
            if (*stored < 0 || *stored > kMostListItems) {
                throw EIniConvertError(std::string(section), countKey, *text, "Corrupt list count");
            }
            count = static_cast<std::size_t>(*stored);
        }
    }
    std::vector<std::string> items;
    items.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::string fallback = i < target.size() ? target[i] : std::string();
        items.push_back(ReadFencedString(section, ItemKey(ident, i), fallback));
    }
    update.Commit();
    target = std::move(items);
}

void TIniGT::WriteStrings(std::string_view section, std::string_view ident,
                          const std::vector<std::string>& source) {
    TIniDocument::CheckWritable(section, SubKey(ident, ".Count"), "0");
    for (const std::string& item : source) {
        TIniDocument::CheckValue(Wrap(item, fence_));
    }
    auto update = BeginUpdate();
    WriteInteger(section, SubKey(ident, ".Count"), static_cast<int>(source.size()));
    for (std::size_t i = 0; i < source.size(); ++i) {
        WriteFencedString(section, ItemKey(ident, i), source[i]);
    }
    update.Commit();
}

void TIniGT::ReadFont(std::string_view section, std::string_view ident, TFontRecord& target) {
    auto update = BeginUpdate();
    TFontRecord font;
    // Files written by either earlier version of the store hold the name fenced one way or the
    // other; both are unwrapped whatever Fence is.
    font.Name = ReadFenced(section, SubKey(ident, ".Name"), target.Name, fnVer11Mode);
    font.Size = ReadInteger(section, SubKey(ident, ".Size"), target.Size);
    font.Style =
        static_cast<std::uint8_t>(ReadInteger(section, SubKey(ident, ".Style"), target.Style) & 0xFF);
    font.Color = ReadColor(section, SubKey(ident, ".Color"), target.Color);
    update.Commit();
    target = std::move(font);
}

void TIniGT::WriteFont(std::string_view section, std::string_view ident, const TFontRecord& source) {
    TIniDocument::CheckWritable(section, SubKey(ident, ".Name"), source.Name);
    auto update = BeginUpdate();
    WriteString(section, SubKey(ident, ".Name"), source.Name);
    WriteInteger(section, SubKey(ident, ".Size"), source.Size);
    WriteInteger(section, SubKey(ident, ".Style"), source.Style);
    WriteColor(section, SubKey(ident, ".Color"), source.Color);
    update.Commit();
}

void TIniGT::ReadPosition(std::string_view section, std::string_view ident, TWindowPosition& target) {
    auto update = BeginUpdate();
    target.Left = ReadInteger(section, SubKey(ident, ".X"), target.Left);
    target.Top = ReadInteger(section, SubKey(ident, ".Y"), target.Top);
    update.Commit();
}

void TIniGT::WritePosition(std::string_view section, std::string_view ident, const TWindowPosition& source) {
    TIniDocument::CheckWritable(section, SubKey(ident, ".X"), "0");
    auto update = BeginUpdate();
    WriteInteger(section, SubKey(ident, ".X"), source.Left);
    WriteInteger(section, SubKey(ident, ".Y"), source.Top);
    update.Commit();
}

void TIniGT::ReadSectionValues(std::string_view section, std::vector<std::string>& target) {
    target.clear();
    for (auto& [key, value] : file_->SectionValues(section)) {
        target.push_back(key + "=" + value);
    }
}

void TIniGT::ReadSections(std::vector<std::string>& target) {
    target = file_->SectionNames();
}

bool TIniGT::SectionExists(std::string_view section) {
    return file_->HasSection(section);
}

bool TIniGT::ValueExists(std::string_view section, std::string_view ident) {
    return file_->Read(section, ident).has_value();
}

void TIniGT::EraseSection(std::string_view section) {
    file_->EraseSection(section);
}
