#pragma once

#include "colorpicker/ColorArrayClass.h"
#include "engine/Color.h"
#include "platform/Services.h"

#include <QRect>
#include <QString>
#include <QWidget>

#include <optional>

class QPainter;
class QPushButton;

// A cell of the palette: Column 1..4 and Row 1..5 for the grid; Row 0 (with any column) for the
// Other cell; (-1, -1) for none.
struct TPaletteCell {
    int Column = -1;
    int Row = -1;

    friend bool operator==(const TPaletteCell&, const TPaletteCell&) = default;
};

// The drop-down window of the colour button: a 4 x 5 grid of colour cells, a separator, the
// Other button that opens the colour dialog and the Other cell beside it. It reports the chosen
// colour through colorSelected and closes after a click, Enter, Escape, a confirmed colour
// dialog, or when it or the whole application loses the activation (never while the colour
// dialog is open). It deletes itself after closing.
//
// All positions below are client coordinates: the client area is 72 x 121 pixels inside a
// 3-pixel raised frame, so the window measures 78 x 127.
class TColorDropPalette : public QWidget {
    Q_OBJECT

public:
    static constexpr int kClientWidth = 72;
    static constexpr int kClientHeight = 121;
    static constexpr int kFrameWidth = 3;
    static constexpr int kCellSize = 18;
    static constexpr int kColumns = 4;
    static constexpr int kRows = 5;
    static constexpr TPaletteCell kNoCell{-1, -1};

    // `owner` is the colour button; the window stays a separate top-level window. The Other
    // button opens the colour dialog of `services`.
    explicit TColorDropPalette(TServices services, QWidget* owner = nullptr);
    ~TColorDropPalette() override;

    bool ShowColorHints() const { return showColorHints_; }
    void SetShowColorHints(bool value) { showColorHints_ = value; }
    bool ClosedByKey() const { return closedByKey_; }
    bool InColorDialog() const { return inColorDialog_; }
    TColor OtherColor() const { return otherColor_; }
    void SetOtherColor(TColor value);
    // Copied in; the grid shows cell (column, row) of the table, 4 x 5 whatever its size.
    const TColorArrayClass& PaletteColors() const { return paletteColors_; }
    void SetPaletteColors(const TColorArrayClass& value);
    const TColorArrayClass& CustomColors() const { return customColors_; }
    void SetCustomColors(const TColorArrayClass& value) { customColors_.Assign(&value); }
    QPushButton* btnOther() const { return otherButton_; }

    // The cell the keyboard starts from (and the mouse last pointed at) and the cell drawn
    // highlighted. They differ when the window has just been shown: SelectColor sets HotCell
    // without drawing a highlight.
    TPaletteCell HotCell() const { return hotCell_; }
    TPaletteCell HighlightedCell() const { return highlightedCell_; }

    // Makes the first grid cell whose colour has the RGB value of `color` (system colours
    // resolved) the hot cell; when none has, the Other cell shows `color`.
    void SelectColor(TColor color);

    static bool IsValidCell(TPaletteCell cell);
    // The drawn rectangle of a cell (the Other cell for row 0), empty for an invalid cell.
    static QRect CellRect(TPaletteCell cell);
    // The cell at a client position: the Other cell's hit area (x 53..71, y 96..113) gives (0, 0),
    // which differs from where it is drawn; a position above or left of the client area none.
    static TPaletteCell CellAt(QPoint client);
    TPaletteCell CellAtPointer() const;
    // The colour a cell shows: OtherColor for row 0; nothing for a grid cell the table lacks.
    std::optional<TColor> CellColor(TPaletteCell cell) const;

    void PaintCell(QPainter& painter, TPaletteCell cell, bool highlighted, TColor color) const;
    // Moves the highlight to `cell`; nothing for an invalid cell or the current hot cell.
    void HotTrack(TPaletteCell cell);

    // "RGB = rrr ggg bbb" for the colour, then colorHintTextRequested may rewrite it.
    virtual QString GetColorHintText(TColor color, int x, int y);
    // The tooltip for a client position and the rectangle in which it stays valid; nothing
    // outside the cells or when the text is empty.
    std::optional<QString> HintAt(QPoint client, QRect& validRect);

    // The application lost the activation: close, unless the colour dialog is open.
    void AppDeactivated();
    void btnOtherClick();

signals:
    // A colour was chosen; isOther for the Other cell and the colour dialog. Raised before the
    // window closes.
    void colorSelected(TColorDropPalette* sender, bool isOther, TColor color);
    // The window is closing: ClosedByKey and CustomColors can still be read.
    void paletteClosing(TColorDropPalette* sender);
    // A tooltip is about to show `hintStr` for the cell (x, y) of `color` ((0, 0) for the Other
    // cell); a receiver may rewrite it, and an empty text shows none. The sender is the palette's
    // owner (the colour button), or none. The text comes back through the reference, so connect
    // receivers directly (the default within the program's one thread); a queued connection
    // cannot carry it.
    void colorHintTextRequested(QObject* sender, TColor color, int x, int y, QString& hintStr);

protected:
    virtual void DoGetColorHintText(TColor color, int x, int y, QString& text);

    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormKeyDown(int key);
    void FormKeyPress(int character);
    void FormClick(QPoint client);
    void ReportCell(TPaletteCell cell);
    void UpdateCell(TPaletteCell cell);
    static QPoint ToClient(QPoint widget);

    TServices services_;
    bool showColorHints_ = true;
    bool closedByKey_ = false;
    bool inColorDialog_ = false;
    bool closing_ = false;
    bool pressed_ = false;
    TColorArrayClass paletteColors_{kColumns, kRows};
    TColorArrayClass customColors_{8, 2};
    TColor otherColor_ = clBtnFace;
    TPaletteCell hotCell_ = kNoCell;
    TPaletteCell highlightedCell_ = kNoCell;
    QPushButton* otherButton_ = nullptr;
};
