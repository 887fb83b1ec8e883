#pragma once

#include "engine/HtmlOptions.h"
#include "engine/OutputBuffer.h"
#include "engine/OutputEmitter.h"

#include <array>
#include <cstddef>
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
    // Writes a character of a kind's plain bytes itself, without asking the kind.
    void AppendUnits(TUnitWalk& walk, TGradientWalk& colors, int count) final;
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

    // Marks the bytes that PutText does not write as they are, or after which CodeAfter asks for
    // a code: a character whose UTF-8 ends in none of them is written without the two calls.
    void MarkSpecial(std::string_view bytes) {
        for (const char c : bytes) {
            special_[static_cast<unsigned char>(c)] = true;
        }
    }
    // Marks the C0 control characters but the tab, and DEL.
    void MarkControls();
    // Marks the last bytes of the C1 controls (and of the other characters that end in them).
    void MarkC1Controls();
    // Whether the code of the colour was written right before the unit PutText is writing.
    bool CodeBefore() const { return codeBefore_; }

    TOutputBuffer out_;

private:
    // Writes one unit; `plain`: its UTF-8 is a character that ends in no special byte.
    void Append(std::string_view utf8, TColor color, bool plain);
    // Whether the colour's key differs from the last code's.
    bool NewKey(TColor color) {
        if (color == keyColor_) {
            return false;
        }
        if (CodeKey(color) == lastKey_) {
            keyColor_ = color;
            return false;
        }
        return true;
    }

    std::array<bool, 256> special_{};
    bool merge_;
    bool plainSpaces_;
    bool first_ = true;
    bool forceCode_ = false;
    bool codeBefore_ = false;
    std::uint32_t lastKey_ = 0;
    TColor keyColor_ = 0; // a colour whose key is lastKey_ (once the first code is written)
};

// About how many codes a kind that writes one code per run of one colour writes for `count`
// characters, for the room it reserves: a gradient holds a few thousand colours at most.
constexpr std::size_t RunCodes(int count) {
    return count <= 0 ? 0 : count < 4096 ? static_cast<std::size_t>(count) : 4096;
}

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
