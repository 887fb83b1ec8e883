#pragma once

#include "platform/DialogService.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;

// The small dialog before a picture is saved: the scale (1, 2 or 4 times the preview), whether
// the background is left transparent and whether an SVG's text becomes outlines.
class TPictureChoiceDialog final : public QDialog {
    Q_OBJECT

public:
    explicit TPictureChoiceDialog(const TPictureChoice& initial, QWidget* parent = nullptr);

    TPictureChoice Choice() const;

private:
    QButtonGroup* scales_;
    QCheckBox* transparent_;
    QCheckBox* outlines_;
};
