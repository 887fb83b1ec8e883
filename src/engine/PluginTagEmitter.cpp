#include "engine/PluginTagEmitter.h"

#include "engine/CodePage.h"
#include "engine/OrivUtil.h"
#include "engine/TextJoin.h"

#include <array>

namespace {

bool SameColours(const TGradient& gradient, std::span<const TColor> colors) {
    const int n = static_cast<int>(colors.size());
    for (int i = 1; i <= n; ++i) {
        if (GradientColor(gradient, i, n) != colors[static_cast<std::size_t>(i - 1)]) {
            return false;
        }
    }
    return true;
}

// A byte that begins a code of some plugin syntax, or the formatting codes ("&", and the last
// byte of "§").
bool MayBeginCode(char c) {
    return c == '&' || c == '<' || c == '{' || c == '#' || c == '\xA7';
}

} // namespace

std::vector<TColor> DrawnStops(const TPluginTags& tags, std::span<const TColor> colors) {
    if (!tags.Open.Exists() || colors.size() < 2) {
        return {};
    }
    const TColor first = colors.front();
    const TColor last = colors.back();
    if (SameColours({SplitColor(first), SplitColor(last), SplitColor(last), gmTwoColor}, colors)) {
        return {first, last};
    }
    if (tags.Middle.Exists()) {
        // The middle stop is the middle unit's colour (of the two middle ones, either).
        for (const std::size_t middle : {colors.size() / 2, (colors.size() - 1) / 2}) {
            const TGradient bent{SplitColor(first), SplitColor(colors[middle]), SplitColor(last),
                                 gmThreeColor};
            if (SameColours(bent, colors)) {
                return {first, colors[middle], last};
            }
        }
    }
    return {};
}

TPluginTagEmitter::TPluginTagEmitter(const TPluginTags& tags, const THtmlOptions& options,
                                     std::string_view text, int unitCount)
    : tags_(tags), merge_(options.Fit.MergeRuns), plainSpaces_(options.Fit.PlainSpaces) {
    constexpr std::pair<TFontStyles, std::string_view> kFormats[] = {
        {fsBold, "&l"}, {fsItalic, "&o"}, {fsUnderline, "&n"}, {fsStrikeOut, "&m"}};
    for (const auto& [bit, code] : kFormats) {
        if ((options.Style & bit) != 0) {
            styles_ += code;
        }
    }
    text_.reserve(text.size() * 2);
    const auto units = static_cast<std::size_t>(unitCount > 0 ? unitCount : 0);
    starts_.reserve(units);
    colors_.reserve(units);
}

void TPluginTagEmitter::AppendUnit(const TTextUnit& unit, TColor color) {
    starts_.push_back(text_.size());
    text_ += UnitUtf8(unit);
    colors_.push_back(color);
}

void TPluginTagEmitter::PutCode(const TPluginCode& code, TColor color) {
    std::array<char, 6> hex{};
    WriteColorHex(color, hex.data());
    out_.append(code.Before).append(hex.data(), hex.size()).append(code.After).append(styles_);
}

bool TPluginTagEmitter::WriteStops() {
    if (text_.find_first_of("&<{#\xA7") != std::string::npos) {
        return false;
    }
    const std::vector<TColor> stops = DrawnStops(tags_, colors_);
    if (stops.empty()) {
        return false;
    }
    PutCode(tags_.Open, stops.front());
    if (stops.size() == 3) {
        // The middle stop before the middle unit.
        const std::size_t middle = starts_[(starts_.size() - 1) / 2];
        out_.append(text_, 0, middle);
        PutCode(tags_.Middle, stops[1]);
        out_.append(text_, middle);
    } else {
        out_ += text_;
    }
    PutCode(tags_.Close, stops.back());
    return true;
}

void TPluginTagEmitter::WriteUnits() {
    bool forceCode = true;
    TColor current = 0;
    for (std::size_t k = 0; k < colors_.size(); ++k) {
        const std::size_t end = k + 1 < starts_.size() ? starts_[k + 1] : text_.size();
        const std::string_view unit = std::string_view(text_).substr(starts_[k], end - starts_[k]);
        // A plain space goes in the colour before it.
        const bool plainSpace = plainSpaces_ && k > 0 && unit == " ";
        if (!plainSpace && (forceCode || !merge_ || colors_[k] != current)) {
            PutCode(tags_.Solid, colors_[k]);
            current = colors_[k];
        }
        out_ += unit;
        forceCode = !unit.empty() && MayBeginCode(unit.back());
    }
}

THtmlText TPluginTagEmitter::Finish() {
    if (!WriteStops()) {
        WriteUnits();
    }
    if (sink_ != nullptr) {
        out_ += kCrLf;
        sink_->Write(out_);
        return THtmlText({}, TTextEncoding::Utf8);
    }
    return THtmlText(std::move(out_), TTextEncoding::Utf8);
}
