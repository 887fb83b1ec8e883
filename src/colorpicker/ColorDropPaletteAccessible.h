#pragma once

#include "colorpicker/ColorDropPalette.h"

#include <QAccessibleWidget>

#include <vector>

// The palette window as a list of its 21 colour cells (row after row, then the Other cell),
// followed by its Other button. The cell under the keyboard's highlight is the focused child.
class TColorDropPaletteAccessible final : public QAccessibleWidget {
public:
    static constexpr int kCellCount = TColorDropPalette::kColumns * TColorDropPalette::kRows + 1;

    explicit TColorDropPaletteAccessible(TColorDropPalette* palette);
    ~TColorDropPaletteAccessible() override;

    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* focusChild() const override;
    QAccessibleInterface* childAt(int x, int y) const override;

    // The child index of a cell: 0..19 for the grid row after row, 20 for the Other cell; -1
    // for none.
    static int ChildIndexOf(TPaletteCell cell);
    static TPaletteCell CellOfChild(int index);

private:
    TColorDropPalette* Palette() const;
    mutable std::vector<QAccessibleInterface*> cells_;
    mutable std::vector<QAccessible::Id> cellIds_;
};

// Tells assistive tools that the keyboard's highlight moved to `cell` of `palette`.
void NotifyPaletteCellFocus(TColorDropPalette* palette, TPaletteCell cell);
