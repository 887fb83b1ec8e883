#include "engine/TargetEmitter.h"

#include "engine/CodePage.h"
#include "engine/TextJoin.h"

#include <array>

TTargetEmitter::TTargetEmitter(const THtmlOptions& options, bool alwaysMerge)
    : merge_(alwaysMerge || options.Fit.MergeRuns), plainSpaces_(options.Fit.PlainSpaces) {}

void TTargetEmitter::AppendUnit(const TTextUnit& unit, TColor color) {
    const std::string_view utf8 = UnitUtf8(unit);
    // A plain space goes in the colour before it, even after a character that asks for a code
    // (a space cannot begin one).
    bool code = first_;
    if (!code && !(plainSpaces_ && utf8 == " ")) {
        code = forceCode_ || !merge_ || CodeKey(color) != lastKey_;
    }
    if (code) {
        lastKey_ = CodeKey(color);
        PutCode(color);
    }
    first_ = false;
    PutText(utf8);
    forceCode_ = CodeAfter(utf8);
}

THtmlText TTargetEmitter::Finish() {
    PutEnd();
    if (out_.Streaming()) {
        // The line end a whole output text gets.
        out_.Append(kCrLf);
        out_.Drain();
        return THtmlText({}, TTextEncoding::Utf8);
    }
    return THtmlText(out_.Take(), TTextEncoding::Utf8);
}

std::string_view ControlPictureOf(std::string_view utf8) {
    static constexpr auto pictures = [] {
        std::array<std::array<char, 3>, 33> table{};
        for (unsigned code = 0; code < 32; ++code) {
            table[code] = {'\xE2', '\x90', static_cast<char>(0x80 + code)};
        }
        table[32] = {'\xE2', '\x90', '\xA1'}; // DEL
        return table;
    }();
    if (utf8.size() != 1) {
        return {};
    }
    const auto byte = static_cast<unsigned char>(utf8.front());
    if (byte == '\t' || (byte >= 0x20 && byte != 0x7F)) {
        return {};
    }
    const auto& picture = pictures[byte == 0x7F ? 32 : byte];
    return {picture.data(), picture.size()};
}
