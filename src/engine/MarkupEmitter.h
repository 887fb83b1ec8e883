#pragma once

#include "engine/OutputBuffer.h"
#include "engine/OutputEmitter.h"

#include <cstddef>
#include <string>
#include <string_view>

// The emitters of the tag kinds (font, css, bbcode). Each unit stands between an opening piece
// that ends where its colour's six hexadecimal digits go, the piece after the digits, the unit's
// text and a closing piece; the first unit may have pieces of its own (the larger first
// letter). What comes before the first unit and after the last is laid down whole. The output
// is reserved once at about its final size, so writing it never copies it.
class TMarkupEmitter : public TOutputEmitter {
public:
    void AppendUnit(const TTextUnit& unit, TColor color) final;
    THtmlText Finish() final;

protected:
    // How a unit's text is written: its Shift-JIS bytes (a cluster in its written form), its
    // UTF-8, or its UTF-8 as element text (& < > as entities).
    enum class TUnitForm { Cp932, Utf8, Utf8Text };

    // The pieces of one kind for one set of options.
    struct TMarkup {
        explicit TMarkup(std::string_view afterColor) : AfterColor(afterColor) {}

        std::string FirstOpen;  // before the first unit's colour digits
        std::string Open;       // before every later unit's
        std::string AfterColor; // between the digits and the unit's text
        std::string FirstClose; // after the first unit
        std::string Close;      // after every later unit
        std::string Opening;    // before the first unit
        std::string Suffix;     // after the last unit
    };

    TMarkupEmitter(TTextEncoding encoding, TUnitForm form) : encoding_(encoding), form_(form) {}

    // Takes the pieces and lays down the opening. `textBytes` is about what the units' texts
    // come to, for the reservation.
    void Start(const TMarkup& markup, std::size_t textBytes, int unitCount);

private:
    TOutputBuffer out_;
    TPiece firstOpen_;
    TPiece open_;
    TPiece afterColor_;
    TPiece firstClose_;
    TPiece close_;
    std::string suffix_;
    TTextEncoding encoding_;
    TUnitForm form_;
    bool first_ = true;
};
