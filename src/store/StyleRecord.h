#pragma once

#include "engine/Color.h"
#include "engine/ColorSpace.h"
#include "engine/OrivUtil.h"
#include "store/FontRecord.h"
#include "store/IniGT.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::string_view kPrevSection = "@@Prev@@";

// "ＭＳ Ｐゴシック" in Shift-JIS: the face of a first start.
inline constexpr std::string_view kDefaultFaceName =
    "\x82\x6C\x82\x72 \x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E";

// The font, size step, first-letter switch, colours and mode switches of a style: the section
// "@@Prev@@" (the last working state) or a style's own section.
struct TStyleRecord {
    TFontRecord DrawFont{std::string(kDefaultFaceName), 9, 0, clWindowText};
    int SizeIndex = 0; // 0 to 4; any other value selects no size step
    bool Head = false;
    TColor StartColor = 0x000000FF;
    TColor FinishColor = 0x0000FFFF;
    TColor MiddleColor = 0x00FFFFFF;
    TColor BGColor = clBtnFace;
    bool Mirror = false;
    bool Trico = false; // the three-colour gradient; it excludes Mirror
    // Beside the design, each written only when chosen ("ColorSpace", "Stops", "Rainbow",
    // "Phase"); StartColor and FinishColor then hold the first and last stop, which is what a
    // copy of the program without them shows.
    TColorSpace Space = csSrgb;
    std::vector<TColorStop> Stops = {};
    bool Rainbow = false;
    int Phase = 0; // degrees

    friend bool operator==(const TStyleRecord&, const TStyleRecord&) = default;
};

// A stored value that could not be read, so its default was taken instead.
struct TBadValue {
    enum class TKind : std::uint8_t {
        Colour,  // not valid hexadecimal
        FaceName // holds a control character; the face read before is kept
    };
    std::string Section;
    std::string Key;
    std::string Value;
    TKind Kind = TKind::Colour;

    friend bool operator==(const TBadValue&, const TBadValue&) = default;
};

// True when a face name (Shift-JIS) holds a control character (C0, DEL or C1), which could reach a
// terminal or a page raw: such a name is refused wherever it comes in.
bool FaceNameHoldsControl(std::string_view cp932);

// Reads the style record of `section` into `style`. Absent keys take the defaults of a fresh
// TStyleRecord, except the font, whose absent parts keep the values `style` had. A colour that
// is not valid hexadecimal takes its default and is reported; a face name that holds a control
// character is dropped (the face `style` had stays) and reported; everything else still loads.
// A record with both modes set loads with only the three-colour gradient.
std::vector<TBadValue> LoadStyleRecord(TIniGT& store, std::string_view section, TStyleRecord& style);
// Whether a key of a style record's section is one a style reads, with a value it takes. The keys
// written at every save are understood whatever they hold: a save writes the style's value.
bool StyleKeyUnderstood(std::string_view key, std::string_view value);
// Erases the section and writes the record anew, as one save. Keys the style does not know go:
// a named style is replaced whole (the closing save keeps them in "@@Prev@@", see ClosingSave).
void SaveStyleRecord(TIniGT& store, std::string_view section, const TStyleRecord& style);

// One message for the user naming the section, key and value of each bad value; empty if none.
std::string BadValuesMessage(const std::vector<TBadValue>& bad);
