#include "store/FileEncoding.h"

#include "engine/CodePage.h"
#include "store/IniErrors.h"

#include <optional>

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";

// UTF-8 to code page 932, or a problem when a character would not come back unchanged.
std::optional<std::string> ToCp932(std::string_view utf8, std::string& problem) {
    TCp932Conversion conversion = Utf8ToCp932(utf8);
    if (!conversion.Complete()) {
        problem = "it holds a character that code page 932 cannot hold: \"" +
                  PrintableFileName(conversion.Unmappable.front()) + "\"";
        return std::nullopt;
    }
    if (Cp932ToUtf8(conversion.Bytes) != utf8) {
        problem = "it holds a character that code page 932 cannot keep unchanged";
        return std::nullopt;
    }
    return std::move(conversion.Bytes);
}

} // namespace

TStoredText DecodeStoredText(std::string bytes) {
    TStoredText text;
    const std::string_view view(bytes);
    // A file with the mark whose text is not UTF-8 is Shift-JIS behind a mark, as an earlier
    // version wrote into such files; it is kept byte for byte, mark and all.
    if (view.starts_with(kUtf8Mark) && Utf8ToUtf16Le(view.substr(kUtf8Mark.size()))) {
        text.Encoding = TFileEncoding::Utf8;
        if (auto cp932 = ToCp932(view.substr(kUtf8Mark.size()), text.Problem)) {
            text.Cp932 = std::move(*cp932);
        }
        return text;
    }
    if (view.starts_with(kUtf16LeMark)) {
        text.Encoding = TFileEncoding::Utf16Le;
        const auto utf8 = Utf16LeToUtf8(view.substr(kUtf16LeMark.size()));
        if (!utf8) {
            text.Problem = "it is marked as UTF-16LE but is not valid UTF-16LE";
        } else if (auto cp932 = ToCp932(*utf8, text.Problem)) {
            text.Cp932 = std::move(*cp932);
        }
        return text;
    }
    text.Cp932 = std::move(bytes);
    return text;
}

std::string EncodeStoredText(std::string_view cp932, TFileEncoding encoding, std::string& problem) {
    problem.clear();
    if (encoding == TFileEncoding::ShiftJis) {
        return std::string(cp932);
    }
    const std::string utf8 = Cp932ToUtf8(cp932);
    if (Utf8ToCp932(utf8).Bytes != cp932) {
        problem = "the text holds bytes that are not code page 932 and cannot be converted";
        return {};
    }
    if (encoding == TFileEncoding::Utf8) {
        return std::string(kUtf8Mark) + utf8;
    }
    const auto utf16 = Utf8ToUtf16Le(utf8);
    if (!utf16) {
        problem = "the text cannot be converted to UTF-16LE";
        return {};
    }
    return std::string(kUtf16LeMark) + *utf16;
}
