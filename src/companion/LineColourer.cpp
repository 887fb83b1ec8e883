#include "companion/LineColourer.h"

#include "companion/CompanionIo.h"
#include "engine/GradientWalk.h"
#include "engine/OutputEmitter.h"
#include "engine/TextJoin.h"
#include "engine/UnicodeText.h"
#include "engine/Utf8.h"

#include <memory>
#include <stdexcept>

namespace {

constexpr std::size_t kReadSize = std::size_t{1} << 16;

// The units of one line; the first bytes that are not UTF-8 are named once, by their offset in
// the whole input.
class TLineUnits {
public:
    // `named`: bytes that are not UTF-8 have been named already.
    TLineUnits(bool cp932, TOutputSink& err, bool named = false) : cp932_(cp932), named_(named), err_(err) {}

    // The units stand until the next line is asked for.
    const TUnitText& Of(std::string_view line, std::size_t inputOffset) {
        if (cp932_) {
            line_.Text = line;
            return line_;
        }
        const std::optional<std::size_t> bad = FirstInvalidUtf8(line);
        if (!bad) {
            UnitTextFromWellFormedUtf8(line, line_);
            return line_;
        }
        if (!named_) {
            named_ = true;
            err_.Write("tintrel-html: standard input is not valid UTF-8 from byte offset " +
                       std::to_string(inputOffset + *bad) + "; such bytes are written as U+FFFD\n");
        }
        UnitTextFromWellFormedUtf8(WithReplacementCharacters(line), line_);
        return line_;
    }

private:
    TUnitText line_; // its buffers serve every line
    bool cp932_;
    bool named_ = false;
    TOutputSink& err_;
};

// Calls `line(bytes, offset)` for every line of `in` without its line end (LF or CR LF); a last
// line end closes the last line rather than opening an empty one. `waiting()` runs whenever
// every complete line read so far has been handed on.
template <typename TOnLine, typename TOnWait>
void ForEachLine(TCompanionInput& in, std::size_t maxLine, TOnLine line, TOnWait waiting) {
    std::string pending;
    std::size_t pendingOffset = 0;
    std::size_t offset = 0; // of the chunk in the input
    // A line's length without its line end; a CR may still wait for its line feed.
    const auto checkLength = [maxLine](std::string_view bytes) {
        if (bytes.size() - (bytes.ends_with('\r') ? 1 : 0) > maxLine) {
            throw std::length_error("a line of standard input is too long (more than " +
                                    std::to_string(maxLine) + " bytes)");
        }
    };
    const auto give = [&](std::string_view bytes, std::size_t at) {
        checkLength(bytes);
        if (bytes.ends_with('\r')) {
            bytes.remove_suffix(1);
        }
        line(bytes, at);
    };
    std::unique_ptr<char[]> buffer(new char[kReadSize]);
    for (std::size_t got; (got = in.Read(buffer.get(), kReadSize)) > 0; offset += got) {
        std::string_view chunk(buffer.get(), got);
        for (std::size_t feed; (feed = chunk.find('\n')) != std::string_view::npos;) {
            const std::size_t at = offset + static_cast<std::size_t>(chunk.data() - buffer.get());
            if (pending.empty()) {
                give(chunk.substr(0, feed), at);
            } else {
                pending.append(chunk.substr(0, feed));
                give(pending, pendingOffset);
                pending.clear();
            }
            chunk.remove_prefix(feed + 1);
        }
        if (!chunk.empty()) {
            if (pending.empty()) {
                pendingOffset = offset + static_cast<std::size_t>(chunk.data() - buffer.get());
            }
            pending.append(chunk);
            checkLength(pending); // by the piece that makes the line too long, not at its end
        }
        waiting();
    }
    if (!pending.empty()) {
        give(pending, pendingOffset);
    }
}

} // namespace

template <typename TNextColor> void TLineColourer::Write(const TUnitText& line, int units, TNextColor next) {
    if (units > 0) {
        const std::unique_ptr<TOutputEmitter> emitter =
            MakeOutputEmitter(tg_, options_, line.Text, units, line.Clusters);
        emitter->StreamTo(out_);
        for (TUnitWalk walk(line.Text, line.Clusters); !walk.AtEnd();) {
            emitter->AppendUnit(walk.Next(), next());
        }
        std::string_view rest = emitter->Finish().Written();
        if (rest.ends_with(kCrLf)) { // an emitter that does not stream ends its text so
            rest.remove_suffix(kCrLf.size());
        }
        out_.Write(rest);
    }
    out_.Write("\n");
}

void TLineColourer::Line(const TUnitText& line) {
    const int units = UnitCount(line.Text, line.Clusters);
    if (units < 2) {
        const TColor start = GradientColor(gradient_, 1, 1);
        Write(line, units, [start] { return start; });
        return;
    }
    TGradientWalk colors(gradient_, units);
    Write(line, units, [&colors] { return colors.Next(); });
}

void TLineColourer::LineOfWhole(const TUnitText& line, int totalUnits) {
    if (!whole_) {
        whole_.emplace(gradient_, totalUnits);
    }
    const int units = UnitCount(line.Text, line.Clusters);
    if (totalUnits < 2) {
        const TColor start = GradientColor(gradient_, 1, 1);
        Write(line, units, [start] { return start; });
        return;
    }
    Write(line, units, [this] { return whole_->Next(); });
}

void ColourEveryLine(TCompanionInput& in, const TLineInput& how, TLineColourer& colourer, TOutputSink& err) {
    TLineUnits units(how.Cp932, err);
    TOutputSink& out = colourer.Out();
    ForEachLine(
        in, how.MaxLine,
        [&](std::string_view line, std::size_t offset) {
            colourer.Line(units.Of(line, offset));
            if (how.FlushEveryLine) {
                out.Flush();
            }
        },
        [&] { out.Flush(); });
}

void ColourAcrossLines(TCompanionInput& in, const TLineInput& how, TLineColourer& colourer,
                       TOutputSink& err) {
    // The lines are held as they were read, each followed by a line feed, and made units again
    // to be written: the units of every line at once would take many times the input.
    TLineUnits units(how.Cp932, err);
    std::string held;
    int unitCount = 0;
    TLimitedInput limited(in, how.MaxLine);
    ForEachLine(
        limited, how.MaxLine,
        [&](std::string_view line, std::size_t offset) {
            const TUnitText text = units.Of(line, offset);
            unitCount += UnitCount(text.Text, text.Clusters);
            held.append(line).push_back('\n');
        },
        [] {});
    TLineUnits again(how.Cp932, err, true);
    for (std::size_t start = 0; start < held.size();) {
        const std::size_t end = held.find('\n', start);
        colourer.LineOfWhole(again.Of(std::string_view(held).substr(start, end - start), start), unitCount);
        start = end + 1;
    }
}
