#pragma once

#include "platform/ColorDialogService.h"

// The colour dialog of the desktop program: Qt's own QColorDialog (never a native one, which would
// ignore the custom colours), its sixteen custom colours set from the lines before it opens and
// read back after it closes. Qt's dialog always shows its custom colours, so FullOpen needs
// nothing more.
class TQtColorDialogService final : public TColorDialogService {
public:
    bool ExecuteColorDialog(QWidget* owner, TColorDialogData& data) override;

    // QColorDialog numbers its custom colours down the columns of its two rows; box 0..15 counts
    // along the rows (A..H, then I..P).
    static int QtIndexOfBox(int box);
};
