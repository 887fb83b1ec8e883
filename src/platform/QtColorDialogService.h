#pragma once

#include "platform/ColorDialogService.h"

// The colour dialog of the desktop program: Qt's own QColorDialog (never a native one, which would
// ignore the custom colours), its sixteen custom colours set from the lines before it opens and
// read back after it closes.
class TQtColorDialogService final : public TColorDialogService {
public:
    bool ExecuteColorDialog(QWidget* owner, TColorDialogData& data) override;

    // QColorDialog numbers its custom colours down the columns of its two rows; box 0..15 counts
    // along the rows (A..H, then I..P). These convert between the two.
    static int QtIndexOfBox(int box);
    static int BoxOfQtIndex(int qtIndex);
};
