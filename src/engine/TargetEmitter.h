#pragma once

#include "engine/HtmlOptions.h"
#include "engine/OutputBuffer.h"
#include "engine/OutputEmitter.h"

#include <cstdint>
#include <string_view>

// The emitters of the paste targets (chat games, chat programs, desktop markup): a colour code
// before a character, and the character's UTF-8, written whole; no code ever stands inside a
// cluster. A code is left out where the colour does not change and the kind (or the fitting)
// merges runs, and before a space when spaces are plain; the unit after one that could be read
// as the start of a code always gets its code, so that a reader never misreads the text.
class TTargetEmitter : public TOutputEmitter {
public:
    void AppendUnit(const TTextUnit& unit, TColor color) final;
    THtmlText Finish() final;
    void StreamTo(TOutputSink& sink) final { out_.StreamTo(sink); }

protected:
    // `alwaysMerge`: the kind writes one code per run of one colour even without fitting.
    TTargetEmitter(const THtmlOptions& options, bool alwaysMerge);

    // What decides that two colours need two codes: the colour, or its palette index.
    virtual std::uint32_t CodeKey(TColor color) { return color; }
    // Writes the code of a colour, before the unit or run that has it.
    virtual void PutCode(TColor color) = 0;
    // Writes a unit's text (escaped as the kind needs).
    virtual void PutText(std::string_view utf8) = 0;
    // Whether the unit after this one must have its code written.
    virtual bool CodeAfter(std::string_view /*utf8*/) const { return false; }
    // Writes what follows the last unit.
    virtual void PutEnd() = 0;

    TOutputBuffer out_;

private:
    bool merge_;
    bool plainSpaces_;
    bool first_ = true;
    bool forceCode_ = false;
    std::uint32_t lastKey_ = 0;
};

// A C0 control character or DEL as the picture a terminal or chat shows for it (U+2400 on), so
// that a text cannot write codes of its own; empty for any other unit (a tab too).
std::string_view ControlPictureOf(std::string_view utf8);

// The style bits of the options that the paste targets write.
inline bool Bold(const THtmlOptions& o) {
    return (o.Style & fsBold) != 0;
}
inline bool Italic(const THtmlOptions& o) {
    return (o.Style & fsItalic) != 0;
}
inline bool Underline(const THtmlOptions& o) {
    return (o.Style & fsUnderline) != 0;
}
inline bool Strike(const THtmlOptions& o) {
    return (o.Style & fsStrikeOut) != 0;
}
