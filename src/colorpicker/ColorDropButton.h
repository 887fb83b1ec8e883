#pragma once

#include "colorpicker/ColorArrayClass.h"
#include "colorpicker/ColorDropPalette.h"
#include "engine/Color.h"
#include "platform/Services.h"

#include <QImage>
#include <QPointer>
#include <QPushButton>

enum TButtonStyle { bsAutoDetect, bsWin31, bsNew };

// A push button that shows its colour as a swatch with a drop-down arrow at its right end.
// A click opens the colour palette below it; with CycleColors on, a click left of the arrow part
// (x <= Width - 13) steps to the next palette colour instead. Every change of Color raises
// colorChanged.
//
// The sixteen custom colours of the colour dialog can be kept in the per-user store: give the
// button a CustomColorsKey (e.g. "Software\OrivSoft\Tintrel") and an objectName, put it on a
// window with an objectName; the value "<window>.<button>" under the key's "Colors" is read when
// the button is first shown (or by Loaded()) and written when the button is destroyed.
class TColorDropButton : public QPushButton {
    Q_OBJECT

public:
    // The button keeps its custom colours in the user store of `services` (when it has a key)
    // and its palette opens their colour dialog.
    explicit TColorDropButton(TServices services, QWidget* parent = nullptr);
    ~TColorDropButton() override;

    QString Version() const { return QStringLiteral("TColorDropButton v1.00"); }
    bool ShowColorHints() const { return showColorHints_; }
    void SetShowColorHints(bool value) { showColorHints_ = value; }
    TButtonStyle Style() const { return style_; }
    void SetStyle(TButtonStyle value);
    QString OtherBtnCaption() const { return otherBtnCaption_; }
    void SetOtherBtnCaption(const QString& value) { otherBtnCaption_ = value; }
    TColor OtherColor() const { return otherColor_; }
    void SetOtherColor(TColor value) { otherColor_ = value; }
    bool CycleColors() const { return cycleColors_; }
    void SetCycleColors(bool value) { cycleColors_ = value; }
    // The tables are copied in (size and cells); no repaint, no event.
    const TColorArrayClass& PaletteColors() const { return paletteColors_; }
    void SetPaletteColors(const TColorArrayClass& value) { paletteColors_.Assign(&value); }
    const TColorArrayClass& CustomColors() const { return customColors_; }
    void SetCustomColors(const TColorArrayClass& value) { customColors_.Assign(&value); }
    TColor Color() const { return color_; }
    // Nothing for the current value; otherwise stores it, finds its first palette cell (exact
    // 32-bit comparison, 0 when none), repaints and raises colorChanged.
    void SetColor(TColor value);
    bool Flat() const { return flat_; }
    void SetFlat(bool value);
    QString CustomColorsKey() const { return customColorsKey_; }
    void SetCustomColorsKey(const QString& value) { customColorsKey_ = value; }

    // Linear palette cell (1..Count, row after row) holding Color; 0 for the Other colour or a
    // colour not in the palette. Setting it outside 0..Count, or to its value, does nothing;
    // otherwise Color follows (OtherColor for 0) and colorChanged is raised, even when the colour
    // value stays the same.
    int PaletteIndex() const { return paletteIndex_; }
    void SetPaletteIndex(int value);

    bool PaletteOpen() const { return palette_ != nullptr; }
    TColorDropPalette* Palette() const { return palette_; }
    bool MouseInControl() const { return mouseInControl_; }
    bool SkipNextClick() const { return skipNextClick_; }
    bool CustomColorsLoaded() const { return customColorsLoaded_; }
    QString CustomColorsValueName() const { return customColorsValueName_; }

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
    const QImage& ArrowPicture() const { return arrow_; }
    const QImage& DisabledArrowPicture() const { return arrowDisabled_; }

signals:
    // Color has changed; Color, PaletteIndex and CustomColors already hold the new state.
    void colorChanged(TColorDropButton* sender);
    // Relayed from the open palette (see TColorDropPalette::colorHintTextRequested), with the
    // button as the sender; connect receivers directly, as the text comes back by reference.
    void colorHintTextRequested(QObject* sender, TColor color, int x, int y, QString& hintStr);

protected:
    virtual void DoColorChange();
    void Click();
    void PaletteColorChosen(TColorDropPalette* sender, bool isOther, TColor color);
    void PaletteClosed(TColorDropPalette* sender);

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

    TServices services_;
    bool showColorHints_ = true;
    TButtonStyle style_ = bsAutoDetect;
    QString otherBtnCaption_ = QStringLiteral("&Other");
    TColor otherColor_ = clBtnFace;
    bool cycleColors_ = false;
    TColorArrayClass paletteColors_{4, 5};
    TColorArrayClass customColors_{8, 2};
    TColor color_ = clBlack;
    bool flat_ = false;
    QString customColorsKey_;

    int paletteIndex_ = 0;
    bool mouseInControl_ = false;
    bool skipNextClick_ = false;
    bool isFocused_ = false;
    bool customColorsLoaded_ = false;
    QString customColorsValueName_;
    QPointer<TColorDropPalette> palette_;
    QImage arrow_;
    QImage arrowDisabled_;
};
