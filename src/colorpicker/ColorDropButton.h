#pragma once

#include "colorpicker/ColorArrayClass.h"
#include "colorpicker/ColorDropPalette.h"
#include "engine/Color.h"

#include <QImage>
#include <QPointer>
#include <QPushButton>

#include <functional>

enum TButtonStyle { bsAutoDetect, bsWin31, bsNew };

using TColorChangeEvent = std::function<void(QObject* sender)>;

// A push button that shows its colour as a swatch with a drop-down arrow at its right end.
// A click opens the colour palette below it; with CycleColors on, a click left of the arrow part
// (x <= Width - 13) steps to the next palette colour instead. Every change of Color fires
// OnColorChange.
//
// The sixteen custom colours of the colour dialog can be kept in the per-user store: give the
// button a CustomColorsKey (e.g. "Software\OrivSoft\Tintrel") and an objectName, put it on a
// window with an objectName; the value "<window>.<button>" under the key's "Colors" is read when
// the button is first shown (or by Loaded()) and written when the button is destroyed.
class TColorDropButton : public QPushButton {
    Q_OBJECT

public:
    explicit TColorDropButton(QWidget* parent = nullptr);
    ~TColorDropButton() override;

    QString Version() const { return QStringLiteral("TColorDropButton v1.00"); }
    bool ShowColorHints() const { return FShowColorHints; }
    void SetShowColorHints(bool value) { FShowColorHints = value; }
    TButtonStyle Style() const { return FStyle; }
    void SetStyle(TButtonStyle value);
    QString OtherBtnCaption() const { return FOtherBtnCaption; }
    void SetOtherBtnCaption(const QString& value) { FOtherBtnCaption = value; }
    TColor OtherColor() const { return FOtherColor; }
    void SetOtherColor(TColor value) { FOtherColor = value; }
    bool CycleColors() const { return FCycleColors; }
    void SetCycleColors(bool value) { FCycleColors = value; }
    // The tables are copied in (size and cells); no repaint, no event.
    const TColorArrayClass& PaletteColors() const { return FPaletteColors; }
    void SetPaletteColors(const TColorArrayClass& value) { FPaletteColors.Assign(&value); }
    const TColorArrayClass& CustomColors() const { return FCustomColors; }
    void SetCustomColors(const TColorArrayClass& value) { FCustomColors.Assign(&value); }
    TColor Color() const { return FColor; }
    // Nothing for the current value; otherwise stores it, finds its first palette cell (exact
    // 32-bit comparison, 0 when none), repaints and fires OnColorChange.
    void SetColor(TColor value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool value);
    QString CustomColorsKey() const { return FCustomColorsKey; }
    void SetCustomColorsKey(const QString& value) { FCustomColorsKey = value; }

    void SetOnColorChange(TColorChangeEvent handler) { FOnColorChange = std::move(handler); }
    void SetOnGetColorHintText(TColorHintTextEvent handler) { FOnGetColorHintText = std::move(handler); }

    // Linear palette cell (1..Count, row after row) holding Color; 0 for the Other colour or a
    // colour not in the palette. Setting it outside 0..Count, or to its value, does nothing;
    // otherwise Color follows (OtherColor for 0) and OnColorChange fires, even when the colour
    // value stays the same.
    int PaletteIndex() const { return FPaletteIndex; }
    void SetPaletteIndex(int value);

    bool PaletteOpen() const { return FPalette != nullptr; }
    TColorDropPalette* Palette() const { return FPalette; }
    bool MouseInControl() const { return FMouseInControl; }
    bool SkipNextClick() const { return FSkipNextClick; }
    bool CustomColorsLoaded() const { return FCustomColorsLoaded; }
    QString CustomColorsValueName() const { return FCustomColorsValueName; }

    // Call once the button's properties are set; loads the custom colours. A button that is
    // shown without it loads them when it is first shown.
    void Loaded();

    virtual void SetDefaultColors();
    // "<window name>.<button name>", or the button's name alone when it has no window.
    virtual QString GetCustomColorsValueName() const;
    virtual void SaveCustomColors();
    virtual void LoadCustomColors();

    // The custom colours as stored: sixteen "$" + 8 hex digits fields joined by commas, cells
    // (1, 1), (1, 2), (2, 1) .. (8, 2).
    QString CustomColorsText() const;
    // Reads a stored text into the custom colours: an empty text or one without a comma changes
    // nothing; fields that do not convert, or are missing, give white.
    void ApplyCustomColorsText(const QString& text);

    void OpenPalette();
    // The colour as the screen reader says it: "#" and six upper-case hexadecimal digits, red
    // first (system colours resolved).
    QString ColorHexText() const;
    // Where the palette window goes: below the button, or 121 pixels above its top edge when it
    // would cross the bottom of the work area; kept inside the work area's left and right edges.
    static QPoint PalettePosition(QPoint buttonTopLeft, int buttonHeight, QSize paletteSize,
                                  const QRect& workArea);

    QSize sizeHint() const override { return size(); }
    QSize minimumSizeHint() const override { return QSize(0, 0); }

    // The two 7 x 5 arrow pictures, normal and disabled.
    const QImage& ArrowPicture() const { return FArrow; }
    const QImage& DisabledArrowPicture() const { return FArrowDisabled; }

protected:
    virtual void DoColorChange();
    void Click();
    void PaletteColorChosen(QObject* sender, bool isOther, TColor color);
    void PaletteClosed(QObject* sender);

    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    // Alt+Down and F4 open the palette whatever the pointer's place; Space and Enter click.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Paint(QPainter& painter);
    QPoint PointerPos() const;

    bool FShowColorHints = true;
    TButtonStyle FStyle = bsAutoDetect;
    QString FOtherBtnCaption = QStringLiteral("&Other");
    TColor FOtherColor = clBtnFace;
    bool FCycleColors = false;
    TColorArrayClass FPaletteColors{4, 5};
    TColorArrayClass FCustomColors{8, 2};
    TColor FColor = clBlack;
    bool FFlat = false;
    QString FCustomColorsKey;
    TColorChangeEvent FOnColorChange;
    TColorHintTextEvent FOnGetColorHintText;

    int FPaletteIndex = 0;
    bool FMouseInControl = false;
    bool FSkipNextClick = false;
    bool FIsFocused = false;
    bool FCustomColorsLoaded = false;
    QString FCustomColorsValueName;
    QPointer<TColorDropPalette> FPalette;
    QImage FArrow;
    QImage FArrowDisabled;
};
