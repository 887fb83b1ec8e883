#include "engine/TargetReader.h"

#include "engine/CodePage.h"
#include "engine/Cp932Table.h"
#include "engine/GradientWalk.h"
#include "engine/ReaderRuns.h"
#include "engine/UnicodeText.h"
#include "engine/Utf8.h"
#include "engine/Utf8Decode.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <limits>
#include <span>

namespace {

// The length of the UTF-8 sequence its first byte begins.
std::size_t SequenceLength(char lead) {
    const auto b = static_cast<unsigned char>(lead);
    return b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
}

// The number of code points of UTF-8 text, or more where it is not well-formed.
std::size_t CodePointsAtMost(std::string_view utf8) {
    return static_cast<std::size_t>(std::count_if(
        utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// A byte-order mark before the text is no part of it.
std::string_view WithoutByteOrderMark(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    return text;
}

// Appends a unit's UTF-8 to the text read.
void AppendUnit(TReadText& read, std::string_view utf8, TColor color) {
    read.Units.push_back(
        {static_cast<std::uint32_t>(read.Utf8.size()), static_cast<std::uint32_t>(utf8.size()), color});
    read.Utf8 += utf8;
}

// Splits each run into the units the engine would colour, each with the run's colour.
void AppendUnits(TReadText& read, std::string_view run, TColor color) {
    // A lone code point is one unit.
    if (SequenceLength(run.front()) == run.size()) {
        AppendUnit(read, run, color);
        return;
    }
    // Where CP932 holds every character of the run, each is a unit, read as the engine writes it
    // (some characters have another CP932 twin); otherwise the clusters decide. What reads as
    // it stands is copied in stretches.
    const TCp932Utf8Table& table = TCp932Utf8Table::Get();
    const std::size_t units = read.Units.size();
    const std::size_t bytes = read.Utf8.size();
    std::size_t stretch = 0; // where the part of the run not yet copied begins
    const auto place = [&](std::size_t offset) {
        return static_cast<std::uint32_t>(read.Utf8.size() + (offset - stretch));
    };
    bool whole = true;
    for (std::size_t offset = 0; offset < run.size();) {
        if (static_cast<unsigned char>(run[offset]) < 0x80) {
            // ASCII is the same in CP932.
            read.Units.push_back({place(offset), 1, color});
            ++offset;
            continue;
        }
        const std::size_t start = offset;
        const std::int32_t c = NextUtf8CodePoint(run, offset);
        const std::optional<std::uint16_t> code = c < 0 ? std::nullopt : Cp932Code(static_cast<char32_t>(c));
        if (!code) {
            whole = false;
            break;
        }
        const std::array<char, 2> pair = {static_cast<char>(*code >> 8), static_cast<char>(*code & 0xFF)};
        const std::string_view twin =
            table.Lookup(*code < 0x100 ? std::string_view(&pair[1], 1) : std::string_view(pair.data(), 2));
        if (twin == run.substr(start, offset - start)) {
            read.Units.push_back({place(start), static_cast<std::uint32_t>(twin.size()), color});
            continue;
        }
        read.Utf8 += run.substr(stretch, start - stretch);
        stretch = offset;
        AppendUnit(read, twin, color);
    }
    if (whole) {
        read.Utf8 += run.substr(stretch);
        return;
    }
    read.Units.resize(units);
    read.Utf8.resize(bytes);
    const TUnitText text = UnitTextFromUtf8(run);
    for (TUnitWalk walk(text.Text, text.Clusters); !walk.AtEnd();) {
        AppendUnit(read, UnitUtf8(walk.Next()), color);
    }
}

} // namespace

std::optional<TColor> ColorOfHex(std::string_view six) {
    if (six.size() < 6) {
        return std::nullopt;
    }
    TColor color = 0;
    for (std::size_t k = 0; k < 6; ++k) {
        const char c = six[k];
        unsigned digit = 0;
        if (c >= '0' && c <= '9') {
            digit = static_cast<unsigned>(c - '0');
        } else if (c >= 'A' && c <= 'F') {
            digit = static_cast<unsigned>(c - 'A' + 10);
        } else if (c >= 'a' && c <= 'f') {
            digit = static_cast<unsigned>(c - 'a' + 10);
        } else {
            return std::nullopt;
        }
        color |= digit << (8 * (k / 2) + (k % 2 == 0 ? 4 : 0));
    }
    return color;
}

void AppendCodePoint(std::string& out, unsigned long c) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        c = 0xFFFD;
    }
    AppendUtf8(static_cast<char32_t>(c), out);
}

std::optional<TOutputKind> RecogniseKind(std::string_view input) {
    std::string_view text = WithoutByteOrderMark(input);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) {
        text.remove_prefix(1);
    }
    // Every kind's tests, in their order: the first that holds names the kind.
    struct TTest {
        TRecogniser Recogniser;
        TOutputKind Kind;
    };
    std::vector<TTest> tests;
    for (const TOutputKindRow& row : OutputKinds()) {
        for (const TRecogniser& recogniser : {row.Reading.Sure, row.Reading.Weak}) {
            if (recogniser.Looks != nullptr) {
                tests.push_back({recogniser, row.Kind});
            }
        }
    }
    std::stable_sort(tests.begin(), tests.end(), [](const TTest& a, const TTest& b) {
        return a.Recogniser.Priority < b.Recogniser.Priority;
    });
    for (const TTest& test : tests) {
        if (test.Recogniser.Looks(text)) {
            return test.Kind;
        }
    }
    return std::nullopt;
}

namespace {

// Colours the units from `first` on through a gradient's stops, as the target's gradient does.
// Colours the units from `first` on through a gradient's stops: as the target spreads them over
// the characters (each unit taking its first character's colour), or as the writer's gradient
// through the first, middle and last stop does.
void ColourThrough(TReadText& read, std::size_t first, const std::vector<TColor>& stops,
                   TColor (*stopColour)(const std::vector<TColor>&, int, int)) {
    const std::span<TReadUnit> units = std::span(read.Units).subspan(first);
    if (stopColour != nullptr) {
        int n = 0;
        for (const TReadUnit& unit : units) {
            n += static_cast<int>(CodePointsAtMost(read.UnitUtf8(unit)));
        }
        int i = 1;
        for (TReadUnit& unit : units) {
            unit.Color = stopColour(stops, i, n);
            i += static_cast<int>(CodePointsAtMost(read.UnitUtf8(unit)));
        }
        return;
    }
    const TColor firstColour = stops.front();
    const TColor last = stops.back();
    const TColor middle = stops.size() > 2 ? stops[stops.size() / 2] : last;
    const TGradient gradient{SplitColor(firstColour), SplitColor(middle), SplitColor(last),
                             stops.size() > 2 ? gmThreeColor : gmTwoColor};
    TGradientWalk colors(gradient, static_cast<int>(units.size()));
    for (TReadUnit& unit : units) {
        unit.Color = colors.Next();
    }
}

std::optional<TReadText> ReadAsKind(TOutputKind kind, std::string_view utf8, TReadRefusal& why) {
    why = TReadRefusal::NoGradientText;
    if (utf8.size() > std::numeric_limits<std::uint32_t>::max() / 2) {
        // The text read is at most half again as long as this (a CP932 twin may be longer), so
        // the units' places fit 32 bits.
        why = TReadRefusal::TooLong;
        return std::nullopt;
    }
    const TOutputKindRow& row = OutputKindRow(kind);
    if (row.Reading.Read == nullptr) {
        return std::nullopt;
    }
    const TReadRuns runs = row.Reading.Read(utf8);
    if (runs.TooDeep) {
        why = TReadRefusal::NestedTooDeeply;
        return std::nullopt;
    }
    TReadText read;
    read.Kind = row.Kind;
    read.Style = runs.Style;
    std::size_t most = 0;
    std::size_t bytes = 0;
    for (const TReadRun& run : runs.Runs) {
        most += CodePointsAtMost(runs.RunText(run));
        bytes += run.Length;
    }
    read.Units.reserve(most);
    read.Utf8.reserve(bytes);
    for (const TReadRun& run : runs.Runs) {
        const std::size_t first = read.Units.size();
        AppendUnits(read, runs.RunText(run), run.Color);
        if (run.Gradient != 0) {
            ColourThrough(read, first, runs.Gradients[run.Gradient - 1], runs.StopColour);
        }
    }
    if (read.Units.empty()) {
        return std::nullopt;
    }
    return read;
}

} // namespace

std::optional<TReadText> ReadAsKind(TOutputKind kind, std::string_view utf8) {
    TReadRefusal why{};
    return ReadAsKind(kind, utf8, why);
}

std::optional<TReadText> ReadGradientText(std::string_view input, TReadRefusal& why) {
    why = TReadRefusal::NoGradientText;
    if (input.size() > kReadInputLimit) {
        why = TReadRefusal::TooLong;
        return std::nullopt;
    }
    std::string converted;
    std::string_view utf8 = WithoutByteOrderMark(input);
    if (FirstInvalidUtf8(utf8)) {
        // Not UTF-8: the program's own HTML in CP932.
        converted = Cp932ToUtf8(utf8);
        utf8 = converted;
    }
    const std::optional<TOutputKind> kind = RecogniseKind(utf8);
    if (!kind) {
        return std::nullopt;
    }
    return ReadAsKind(*kind, utf8, why);
}

std::optional<TReadText> ReadGradientText(std::string_view input) {
    TReadRefusal why{};
    return ReadGradientText(input, why);
}

TGradient GradientOfColours(const std::vector<TReadUnit>& units) {
    TGradient gradient;
    if (units.empty()) {
        return gradient;
    }
    const int n = static_cast<int>(units.size());
    const int mid = (n + 1) / 2;
    const TColor first = units.front().Color;
    const TColor last = units.back().Color;
    const TColor middle = units[static_cast<std::size_t>(mid - 1)].Color;
    gradient.Start = SplitColor(first);
    gradient.Finish = SplitColor(last);
    gradient.Middle = SplitColor(middle);
    // Straight when the middle lies on the line from the first colour to the last, give or take
    // the largest step between two neighbours (characters that share a colour step).
    const auto straight = [&](int shift) {
        const auto channel = [shift](TColor color) { return static_cast<int>((color >> shift) & 0xFF); };
        int largestStep = 0;
        for (std::size_t k = 1; k < units.size(); ++k) {
            largestStep =
                std::max(largestStep, std::abs(channel(units[k].Color) - channel(units[k - 1].Color)));
        }
        return std::abs(Ramp(channel(first), channel(last), mid, n) - channel(middle)) <= largestStep;
    };
    if (n > 2 && !(straight(0) && straight(8) && straight(16))) {
        if (first == last) {
            gradient.Mode = gmMirror;
            gradient.Finish = SplitColor(middle);
        } else {
            gradient.Mode = gmThreeColor;
        }
    }
    return gradient;
}
