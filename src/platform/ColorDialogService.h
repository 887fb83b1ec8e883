#pragma once

#include "engine/Color.h"

#include <QStringList>

class QWidget;

// What the colour dialog is opened with and what it hands back. The sixteen custom colours travel
// as text lines "Color" + letter + "=" + the colour as hexadecimal digits (0x00BBGGRR): the
// letters A to H name the first row of custom-colour boxes from left to right, I to P the second
// row. Lines may come in any order; the letter says which box a line fills.
struct TColorDialogData {
    TColor Color = clBlack;   // the colour shown first; on confirmation the chosen colour
    bool FullOpen = true;     // the custom-colour definition area is shown
    QStringList CustomColors; // on confirmation: the sixteen boxes as "ColorA=..." .. "ColorP=..."
};

// The desktop's modal colour dialog. The program uses QColorDialog; tests hand in a scripted one.
class TColorDialogService {
public:
    virtual ~TColorDialogService() = default;

    // Runs the dialog modally over `owner`. Returns true when the user confirmed; only then are
    // `data.Color` and `data.CustomColors` updated.
    virtual bool ExecuteColorDialog(QWidget* owner, TColorDialogData& data) = 0;
};

// The line for one custom-colour box: "Color" + letter + "=" + exactly eight upper-case hex
// digits. `box` is 0..15 (0 = A).
QString CustomColorLine(int box, TColor color);
