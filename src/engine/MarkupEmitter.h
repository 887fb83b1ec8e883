#pragma once

#include "engine/OutputBuffer.h"
#include "engine/OutputEmitter.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The emitters of the tag kinds (font, css, bbcode). Each unit stands between an opening piece
// that ends where its colour's six hexadecimal digits go, the piece after the digits, the unit's
// text and a closing piece; the first unit may have pieces of its own (the larger first
// letter). What comes before the first unit and after the last is laid down whole. The output
// is reserved once at about its final size, so writing it never copies it.
class TMarkupEmitter : public TOutputEmitter {
public:
    void AppendUnit(const TTextUnit& unit, TColor color) final;
    THtmlText Finish() final;
    void StreamTo(TOutputSink& sink) final { out_.StreamTo(sink); }

protected:
    // How a unit's text is written: its Shift-JIS bytes (a cluster in its written form), its
    // UTF-8, or its UTF-8 as element text (& < > as entities).
    enum class TUnitForm { Cp932, Utf8, Utf8Text };

    // Writes the whole text in some form (a comment's, element text) into `out`, piece by piece.
    using TTextWriter = void (*)(std::string_view text, const TClusterTable& clusters, TOutputBuffer& out);
    // Stands in Opening or Suffix where a writer writes the whole text: made when it is laid
    // down, so that a long text does not stand in memory once for every place it is quoted.
    static constexpr std::string_view kTextMark{"\0\x7F\x01text\x01\x7F\0", 10};

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
        // One for each kTextMark in Opening, then in Suffix, in order; with the text they write,
        // which outlives the emitter.
        std::vector<TTextWriter> Writers;
        std::string_view Text;
        const TClusterTable* Clusters = &kNoClusters;
    };

    TMarkupEmitter(TTextEncoding encoding, TUnitForm form) : encoding_(encoding), form_(form) {}

    // Takes the pieces; the opening is laid down with the first unit (or at the end), so that an
    // output that streams never reserves room for the whole. `textBytes` is about what the
    // units' texts come to, for the reservation.
    void Start(TMarkup&& markup, std::size_t textBytes, int unitCount);

private:
    // Appends an opening or the suffix, the text written where it is marked.
    void Lay(std::string_view part);

    TOutputBuffer out_;
    std::vector<TTextWriter> writers_;
    std::size_t nextWriter_ = 0;
    std::string_view text_;
    const TClusterTable* clusters_ = &kNoClusters;
    TPiece firstOpen_;
    TPiece open_;
    TPiece afterColor_;
    TPiece firstClose_;
    TPiece close_;
    std::string opening_;
    std::string suffix_;
    TTextEncoding encoding_;
    TUnitForm form_;
    bool first_ = true;
};
