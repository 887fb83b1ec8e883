#pragma once

#include "engine/CodePage.h"
#include "engine/OrivUtil.h"
#include "engine/OutputBuffer.h"
#include "engine/OutputEmitter.h"
#include "engine/TerminalColors.h"

#include <string>
#include <string_view>

class TTagVocabulary;
struct THtmlOptions;

// Colours for a terminal, in UTF-8: each character after its foreground colour sequence
// (24-bit, the nearest of the 256-colour palette or of the basic 16, or none), bold, italic, underline
// and strike as their SGR codes, the table's background as the background colour, and a reset
// at the end. One line; control characters of the text are written as their visible pictures,
// so a text cannot steer the terminal.
class TAnsiEmitter final : public TOutputEmitter {
public:
    TAnsiEmitter(const TTagVocabulary& tg, const THtmlOptions& options, std::string_view text,
                 int characterCount, const TClusterTable& clusters = kNoClusters);
    void AppendUnit(const TTextUnit& unit, TColor color) override;
    THtmlText Finish() override;
    void StreamTo(TOutputSink& sink) override { out_.StreamTo(sink); }

private:
    TOutputBuffer out_;
    std::string opening_; // laid down with the first unit, as the markup kinds do
    bool opened_ = false;
    TColorDepth depth_ = TColorDepth::TrueColor;
    const TCp932Utf8Table& characters_; // looked up for every unit without a call
};

// The colours a terminal kind writes: ansi 24-bit, ansi256 the palette, term as detected.
TColorDepth AnsiColorDepth(const THtmlOptions& options);

// The colour index of the 256-colour cube nearest to a plain colour (16 to 231).
int AnsiCubeIndex(TColor color);

// The colour the 256-colour palette shows for a colour written.
TColor ShownInPalette256(TColor color, const THtmlOptions& options);
