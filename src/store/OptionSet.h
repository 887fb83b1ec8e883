#pragma once

#include "engine/OutputKind.h"
#include "store/IniGT.h"
#include "store/WindowPosition.h"

#include <cstddef>
#include <string_view>

inline constexpr std::string_view kOptionSection = "Option";
// A length budget is below this.
inline constexpr std::size_t kBudgetLimit = 1000000000;

// The switches of the options menu, the base font size and the window position: the section
// "Option" of the settings file.
struct TOptionSet {
    TWindowPosition Position;       // "Position.X", "Position.Y"
    bool AskBeforeOverwrite = true; // "Opt1"
    int BaseFontSize = 11;          // "Opt2-1", points, taken as stored
    bool FaceTag = false;           // "Opt3"
    bool SmartPreviewOff = false;   // "Opt4"
    bool OpenAfterSave = false;     // "Opt5"
    bool Comments = false;          // "Opt6"
    bool LogicalTags = false;       // "Opt7"
    bool BreakInFontTag = false;    // "Opt8"
    bool UpperCaseTags = true;      // "Opt9"
    // "Format": the output kind of the window (a kind the window offers). Written only when it is
    // not font, so a file of someone who never chose one keeps its bytes.
    TOutputKind OutputKind = okFont;
    // Beyond the design's switches: "FormattedCopy", written only while on, so that a file in
    // which nothing new was chosen stays byte for byte as before.
    bool FormattedCopy = false;
    // The paste targets: "Budget", a length budget of the user's (0: each kind's own), and
    // "ShortenToFit"; each written only when chosen.
    std::size_t Budget = 0;
    bool ShortenToFit = false;

    friend bool operator==(const TOptionSet&, const TOptionSet&) = default;
};

// Whether a section name means the option group ("Option" in any letter case).
bool IsOptionSection(std::string_view section);

// Reads the switches and the base font size; absent or unreadable values take their defaults.
// The position is not touched: the window reads it itself (LoadWindowPosition) before.
void LoadOptionSet(TIniGT& store, TOptionSet& options);
// Left and top from "Position.X" and "Position.Y"; the current values where absent.
void LoadWindowPosition(TIniGT& store, TWindowPosition& position);
// Erases the section and writes it anew, position first, as one save.
void SaveOptionSet(TIniGT& store, const TOptionSet& options);
