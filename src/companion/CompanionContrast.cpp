#include "companion/CompanionContrast.h"

#include "companion/CompanionOptions.h"
#include "companion/CompanionRefusal.h"
#include "companion/CompanionTexts.h"
#include "engine/CodePage.h"
#include "engine/Contrast.h"
#include "engine/OutputKind.h"
#include "engine/TextUnits.h"
#include "store/IniErrors.h"

#include <cmath>
#include <cstdio>

namespace {

std::string Hex(TColor color) {
    std::string hex(6, '0');
    WriteColorHex(color, hex.data());
    return hex;
}

std::string RatioText(double ratio) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2f:1", std::floor(ratio * 100) / 100);
    return buffer;
}

// The texts one gradient runs over: every text on its own, or all of them in one (--across-lines).
struct TGradientSpan {
    std::vector<const TUnitText*> Texts;
    int Units = 0;
};

std::vector<TGradientSpan> GradientSpans(const std::vector<TUnitText>& texts, bool across) {
    std::vector<TGradientSpan> spans;
    for (const TUnitText& text : texts) {
        if (spans.empty() || !across) {
            spans.emplace_back();
        }
        spans.back().Texts.push_back(&text);
        spans.back().Units += UnitCount(text.Text, text.Clusters);
    }
    return spans;
}

// The characters of a span that fall short, by their place in the span.
std::string FailureLines(const TGradientSpan& span, const TContrastReport& report,
                         const TContrastNeed& need) {
    std::string lines;
    std::size_t next = 0; // the next text of the span
    std::optional<TUnitWalk> walk;
    int index = 0;
    for (const TContrastFailure& failure : report.FirstFailed) {
        TTextUnit unit;
        for (; index < failure.Index; ++index) {
            while (!walk || walk->AtEnd()) {
                walk.emplace(span.Texts[next]->Text, span.Texts[next]->Clusters);
                ++next;
            }
            unit = walk->Next();
        }
        lines += "character " + std::to_string(failure.Index) + " '" +
                 PrintableInMessage(unit.IsCluster() ? std::string(unit.Utf8) : Cp932ToUtf8(unit.Bytes)) +
                 "' " + Hex(failure.Color) + ": " + RatioText(failure.Ratio) + ", needs " +
                 RatioText(need.Of(failure.Index)) + "\n";
    }
    if (report.Failures > report.FirstFailed.size()) {
        lines += "... and " + std::to_string(report.Failures - report.FirstFailed.size()) + " more\n";
    }
    return lines;
}

} // namespace

std::vector<TUnitText> ContrastTexts(const TCompanionOptions& o, bool everyLine, TCompanionIo& io) {
    std::vector<TUnitText> texts;
    if (!o.fromStdin && !everyLine) {
        texts.push_back(TextOf(o));
        return texts;
    }
    bool cp932 = o.stdinIsCp932;
    const std::string input =
        o.fromStdin ? ReadStandardInput(io.In, o.inputLimit) : LinesOfTextOrFile(o, cp932);
    for (std::size_t start = 0; start < input.size();) {
        const std::size_t feed = input.find('\n', start);
        const std::size_t end = feed == std::string::npos ? input.size() : feed;
        std::string_view line(input.data() + start, end - start);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        texts.push_back(cp932 ? TUnitText{std::string(line), {}} : UnitTextFromUtf8(line));
        if (!everyLine) {
            break;
        }
        start = end + 1;
    }
    return texts;
}

std::optional<int> SettleContrast(const TCompanionOptions& o, const std::vector<TUnitText>& texts,
                                  TGradient& gradient, std::string& out, std::string& err) {
    const TContrastNeed need = ContrastNeedOf(o.html.SizeStep, o.html.FirstLetterLarger);
    const std::vector<TGradientSpan> spans =
        GradientSpans(texts, o.acrossLines && OutputKindRow(o.html.Kind).Has(koEveryLine));
    if (o.fixContrast) {
        // Each span in turn: a later one starts from the colours the earlier ones needed.
        TContrastFix fix;
        const std::vector<TColor> before = ColorsToMove(gradient);
        for (const TGradientSpan& span : spans) {
            fix = FixContrast(gradient, span.Units, o.background, need);
            gradient = fix.Gradient;
        }
        bool passes = true;
        for (const TGradientSpan& span : spans) {
            passes = passes && CheckContrast(gradient, span.Units, o.background, need).Passes();
        }
        if (fix.Rainbow || !passes) {
            err = Refusal("--fix-contrast cannot make every character pass on ", Hex(o.background),
                          fix.Rainbow ? " (the rainbow has no colours to move)" : "")
                      .message +
                  "\n";
            return 4;
        }
        std::string moves;
        for (std::size_t k = 0; k < fix.Colors.size(); ++k) {
            char buffer[64];
            std::snprintf(buffer, sizeof buffer, "%s%s -> %s (lightness %+.3f)", k == 0 ? "" : ", ",
                          Hex(k < before.size() ? before[k] : fix.Colors[k]).c_str(),
                          Hex(fix.Colors[k]).c_str(), fix.Moves[k]);
            moves += buffer;
        }
        err += Refusal("--fix-contrast: ", moves.empty() ? "nothing to move" : moves).message + "\n";
    }
    if (!o.checkContrast) {
        return std::nullopt;
    }
    constexpr std::size_t kListed = 1000;
    std::size_t failures = 0;
    std::size_t characters = 0;
    for (const TGradientSpan& span : spans) {
        characters += static_cast<std::size_t>(span.Units);
        const TContrastReport report = CheckContrast(gradient, span.Units, o.background, need, kListed);
        out += FailureLines(span, report, need);
        failures += report.Failures;
    }
    out += std::to_string(failures) + " of " + std::to_string(characters) +
           " characters fall short of their contrast on " + Hex(o.background) + "\n";
    return failures == 0 ? 0 : 4;
}
