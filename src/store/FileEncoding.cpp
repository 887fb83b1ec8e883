#include "store/FileEncoding.h"

#include "engine/CodePage.h"
#include "store/IniErrors.h"

#include <optional>
#include <utility>

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";
constexpr std::string_view kUtf32LeMark{"\xFF\xFE\x00\x00", 4};
constexpr std::string_view kUtf32BeMark{"\x00\x00\xFE\xFF", 4};

// UTF-8 to code page 932, or a problem when a character would not come back unchanged.
std::optional<std::string> ToCp932(std::string_view utf8, TStoredText& text) {
    TCp932Conversion conversion = Utf8ToCp932(utf8);
    if (!conversion.Complete()) {
        text.Problem = "it holds a character that code page 932 cannot hold: \"" +
                       PrintableFileName(conversion.Unmappable.front()) + "\"";
        text.Cause = TEncodingProblem::Unholdable;
        return std::nullopt;
    }
    if (Cp932ToUtf8(conversion.Bytes) != utf8) {
        text.Problem = "it holds a character that code page 932 cannot keep unchanged";
        text.Cause = TEncodingProblem::NotKeptUnchanged;
        return std::nullopt;
    }
    return std::move(conversion.Bytes);
}

// UTF-16BE and UTF-16LE differ only in the order of each pair of bytes.
std::string SwapPairs(std::string_view bytes) {
    std::string swapped(bytes);
    for (std::size_t pos = 0; pos + 1 < swapped.size(); pos += 2) {
        std::swap(swapped[pos], swapped[pos + 1]);
    }
    return swapped;
}

bool IsBigEndian(TFileEncoding encoding) {
    return encoding == TFileEncoding::Utf16Be || encoding == TFileEncoding::Utf16BeNoMark;
}

bool HasMark(TFileEncoding encoding) {
    return encoding != TFileEncoding::Utf16LeNoMark && encoding != TFileEncoding::Utf16BeNoMark;
}

const char* NameOf(TFileEncoding encoding) {
    return IsBigEndian(encoding) ? "UTF-16BE" : "UTF-16LE";
}

// Shift-JIS text holds no zero byte, and a settings file begins with an ASCII character ("[", a
// blank or ";"); a file without a mark whose first or second byte is zero is UTF-16, big-endian
// when the zero comes first. Only the beginning counts, and a Shift-JIS save that would begin so
// is refused, so a file reads the same way before and after a save.
TFileEncoding GuessUnmarked(std::string_view bytes) {
    if (bytes.size() >= 2 && bytes[1] == '\0' && bytes[0] != '\0') {
        return TFileEncoding::Utf16LeNoMark;
    }
    if (!bytes.empty() && bytes[0] == '\0') {
        return TFileEncoding::Utf16BeNoMark;
    }
    return TFileEncoding::ShiftJis;
}

void DecodeUtf16(std::string_view body, TStoredText& text) {
    const bool big = IsBigEndian(text.Encoding);
    const auto utf8 = Utf16LeToUtf8(big ? std::string_view(SwapPairs(body)) : body);
    // Without a mark only zero bytes said UTF-16, so a zero character (as UTF-32 would give) says
    // it is not.
    if (!utf8 || (!HasMark(text.Encoding) && utf8->find('\0') != std::string::npos)) {
        const std::string name = NameOf(text.Encoding);
        text.Problem = HasMark(text.Encoding) ? "it is marked as " + name + " but is not valid " + name
                                              : std::string("it holds zero bytes but is not valid UTF-16");
        text.Cause = TEncodingProblem::Invalid;
    } else if (auto cp932 = ToCp932(*utf8, text)) {
        text.Cp932 = std::move(*cp932);
    }
}

} // namespace

TStoredText DecodeStoredText(std::string bytes) {
    TStoredText text;
    const std::string_view view(bytes);
    // A file with the mark whose text is not UTF-8 is Shift-JIS behind a mark, as an earlier
    // version wrote into such files; it is kept byte for byte, mark and all.
    if (view.starts_with(kUtf8Mark) && Utf8ToUtf16Le(view.substr(kUtf8Mark.size()))) {
        text.Encoding = TFileEncoding::Utf8;
        if (auto cp932 = ToCp932(view.substr(kUtf8Mark.size()), text)) {
            text.Cp932 = std::move(*cp932);
        }
        return text;
    }
    // The UTF-32LE mark begins with the UTF-16LE one, so it is looked for first.
    if (view.starts_with(kUtf32LeMark) || view.starts_with(kUtf32BeMark)) {
        text.Encoding = view.starts_with(kUtf32LeMark) ? TFileEncoding::Utf32Le : TFileEncoding::Utf32Be;
        text.Problem = "it is in UTF-32, which Tintrel does not write";
        text.Cause = TEncodingProblem::NotWritten;
        return text;
    }
    if (view.starts_with(kUtf16LeMark) || view.starts_with(kUtf16BeMark)) {
        text.Encoding = view.starts_with(kUtf16LeMark) ? TFileEncoding::Utf16Le : TFileEncoding::Utf16Be;
        DecodeUtf16(view.substr(kUtf16LeMark.size()), text);
        return text;
    }
    text.Encoding = GuessUnmarked(view);
    if (text.Encoding != TFileEncoding::ShiftJis) {
        DecodeUtf16(view, text);
        return text;
    }
    text.Cp932 = std::move(bytes);
    return text;
}

std::string EncodeStoredText(std::string_view cp932, TFileEncoding encoding, std::string& problem,
                             TEncodingProblem* cause) {
    problem.clear();
    const auto fail = [&](TEncodingProblem why, std::string text) {
        problem = std::move(text);
        if (cause != nullptr) {
            *cause = why;
        }
        return std::string();
    };
    if (cause != nullptr) {
        *cause = TEncodingProblem::None;
    }
    if (encoding == TFileEncoding::ShiftJis) {
        // A file read as Shift-JIS must read so again: a save may bring a line whose zero byte
        // (the file held it) to the beginning.
        if (GuessUnmarked(cp932) != TFileEncoding::ShiftJis || cp932.starts_with(kUtf16LeMark) ||
            cp932.starts_with(kUtf16BeMark) || cp932.starts_with(kUtf32BeMark)) {
            return fail(TEncodingProblem::ZeroBytes,
                        "the text would begin like UTF-16 and read back as such");
        }
        // Shift-JIS kept behind a UTF-8 mark reads so only while it is not valid UTF-8; a save
        // that removed its last such byte would make the same bytes read as other characters.
        if (cp932.starts_with(kUtf8Mark) && Utf8ToUtf16Le(cp932.substr(kUtf8Mark.size()))) {
            return fail(TEncodingProblem::ReadsAsUtf8,
                        "the Shift-JIS text behind the UTF-8 mark would read back as UTF-8");
        }
        return std::string(cp932);
    }
    if (encoding == TFileEncoding::Utf32Le || encoding == TFileEncoding::Utf32Be) {
        return fail(TEncodingProblem::NotWritten, "Tintrel does not write UTF-32");
    }
    const std::string utf8 = Cp932ToUtf8(cp932);
    if (Utf8ToCp932(utf8).Bytes != cp932) {
        return fail(TEncodingProblem::NotCp932,
                    "the text holds bytes that are not code page 932 and cannot be converted");
    }
    if (encoding == TFileEncoding::Utf8) {
        return std::string(kUtf8Mark) + utf8;
    }
    const auto utf16 = Utf8ToUtf16Le(utf8);
    if (!utf16) {
        return fail(TEncodingProblem::NotCp932,
                    std::string("the text cannot be converted to ") + NameOf(encoding));
    }
    std::string body = IsBigEndian(encoding) ? SwapPairs(*utf16) : *utf16;
    if (!HasMark(encoding)) {
        return body;
    }
    return std::string(IsBigEndian(encoding) ? kUtf16BeMark : kUtf16LeMark) + body;
}
