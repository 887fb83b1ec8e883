#include "platform/QtColorDialogService.h"

#include "platform/SystemColors.h"

#include <QColorDialog>
#include <QPointer>

namespace {

constexpr int kBoxes = 16;
constexpr int kBoxesPerRow = 8;

// The box (0..15) and colour of a "ColorX=HHHHHHHH" line; false for a line of another shape.
bool ParseLine(const QString& line, int& box, TColor& color) {
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 1) {
        return false;
    }
    box = line.at(equals - 1).unicode() - u'A';
    bool ok = false;
    color = line.mid(equals + 1).trimmed().toUInt(&ok, 16);
    return ok && box >= 0 && box < kBoxes;
}

} // namespace

int TQtColorDialogService::QtIndexOfBox(int box) {
    const int row = box / kBoxesPerRow;
    const int column = box % kBoxesPerRow;
    return column * 2 + row;
}

bool TQtColorDialogService::ExecuteColorDialog(QWidget* owner, TColorDialogData& data) {
    for (const QString& line : data.CustomColors) {
        int box = 0;
        TColor color = clWhite;
        if (ParseLine(line, box, color)) {
            QColorDialog::setCustomColor(QtIndexOfBox(box), ToQColor(color & 0x00FFFFFFu));
        }
    }
    // The dialog may outlive a moment in which its owner is destroyed; the guard keeps that safe.
    QPointer<QColorDialog> dialog = new QColorDialog(ToQColor(data.Color), owner);
    dialog->setOption(QColorDialog::DontUseNativeDialog, true);
    const bool confirmed = dialog->exec() == QDialog::Accepted && dialog;
    if (confirmed) {
        data.Color = FromQColor(dialog->selectedColor());
        data.CustomColors.clear();
        for (int box = 0; box < kBoxes; ++box) {
            data.CustomColors << CustomColorLine(box,
                                                 FromQColor(QColorDialog::customColor(QtIndexOfBox(box))));
        }
    }
    delete dialog.data();
    return confirmed;
}
