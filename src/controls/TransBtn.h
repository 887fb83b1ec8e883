#pragma once

// TransBtn: the flat glyph button (TTransparentButton). The name is the program's historical one
// for this control's unit.

#include "controls/GlyphImageSet.h"
#include "controls/TransBtnRules.h"

#include <QImage>
#include <QMenu>
#include <QPoint>
#include <QPointer>
#include <QSize>
#include <QString>
#include <QWidget>

#include <vector>

class QPainter;

// The flat toolbar button: a glyph cut from a strip of up to four cells and an optional caption
// inside a frame whose look follows FrameStyle and the state (at rest, pointer over it, pressed,
// latched Down, disabled). It paints on its parent's background (it is not opaque), can show
// a gray picture at rest (AutoGray with fsExplorer), an embossed picture when disabled, opens
// PopUpMenu when pressed, and can be dragged when Movable.
//
// The state machine is in plain members (HandlePress, HandleMove, HandleRelease, HandleEnter,
// HandleLeave, HandleDialogChar) that the Qt event handlers call, so tests can drive it either
// way; Paint draws from that state and is what paintEvent calls.
class TTransparentButton : public QWidget {
    Q_OBJECT

public:
    explicit TTransparentButton(QWidget* parent = nullptr);
    ~TTransparentButton() override;

    // Published properties. Setters do nothing when the value is unchanged.
    bool AutoGray() const { return autoGray_; }
    void SetAutoGray(bool value);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int value);
    // "&" marks the accelerator (drawn underlined, Alt+letter clicks); "&&" draws one "&".
    QString Caption() const { return caption_; }
    void SetCaption(const QString& value);
    // A latched button: drawn pressed until Down is cleared again.
    bool Down() const { return down_; }
    void SetDown(bool value);
    TFrameStyle FrameStyle() const { return frameStyle_; }
    void SetFrameStyle(TFrameStyle value);
    // A strip of cells; a strip whose width is an exact multiple (2 to 4) of its height sets
    // NumGlyphs to that multiple. The prepared pictures are made here, not while painting.
    const QImage& Glyph() const { return glyph_; }
    void SetGlyph(const QImage& value);
    // 1 to 4 (other values are taken as the nearest). Changing it later does not cut the strip
    // again: it only changes the cell width used for placing and the cell chosen.
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int value);
    // Opened with its top-left corner at the button's bottom-left corner when the button is
    // pressed with any mouse button. Cleared when the menu is destroyed.
    QMenu* PopUpMenu() const { return popUpMenu_; }
    void SetPopUpMenu(QMenu* value);
    bool ShowPressed() const { return showPressed_; }
    void SetShowPressed(bool value);
    int Spacing() const { return spacing_; }
    void SetSpacing(int value);
    TTextAlign TextAlign() const { return textAlign_; }
    void SetTextAlign(TTextAlign value);
    // False: the button fills its background with button face; true: the parent shows through.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    bool Movable() const { return movable_; }
    void SetMovable(bool value);
    int Tag() const { return tag_; }
    void SetTag(int value);
    // The owner toggles Down on every click: assistive tools hear the button as a toggle that
    // is pressed or not. Drawing and mouse handling do not depend on it.
    bool Latching() const { return latching_; }
    void SetLatching(bool value);

    // The state the look depends on.
    bool Held() const { return held_; }
    bool Tracking() const { return tracking_; }
    bool ShownPressed() const { return shownPressed_; }
    bool Hot() const { return hot_; }
    const TGlyphImageSet& Images() const { return images_; }

    // The state machine, in the button's own coordinates.
    void HandlePress(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    void HandleMove(Qt::KeyboardModifiers modifiers, int x, int y);
    void HandleRelease(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    void HandleEnter();
    void HandleLeave();
    // A character typed with Alt: clicks the enabled button whose accelerator it is (letter case
    // ignored) and returns true; false lets the character go on.
    bool HandleDialogChar(QChar ch);
    // The keyboard's way to the button: a whole press and release of `button` in its middle, as
    // the mouse gives it (a left one clicks; a button with PopUpMenu opens the menu). Space and
    // Enter on the focused button give a left one, the Menu key and Shift+F10 a right one.
    void ActivateFromKeyboard(Qt::MouseButton button = Qt::LeftButton);

    // The measured caption (empty size for no caption) and the placement of glyph and caption
    // for the current size, font and properties, without the pressed offset.
    QSize CaptionSize() const;
    TButtonLayout CurrentLayout() const;
    // The prepared picture drawn now: an index into Images().GlyphImages, -1 for none.
    int CurrentGlyphIndex() const;
    // Draws the whole button; anything not drawn keeps what the painter's device already shows.
    void Paint(QPainter& painter) const;

signals:
    // A left press followed by a left release inside the button, or the accelerator. Raised
    // before mouseUp of the same release.
    void clicked(TTransparentButton* sender);
    void mouseDown(TTransparentButton* sender, Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x,
                   int y);
    void mouseMove(TTransparentButton* sender, Qt::KeyboardModifiers modifiers, int x, int y);
    void mouseUp(TTransparentButton* sender, Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x,
                 int y);
    void mouseEnter(TTransparentButton* sender);
    void mouseExit(TTransparentButton* sender);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void GlyphChanged();
    void EnabledChanged();
    void UpdateAcceleratorShortcut();
    // The pictures as painted: masked, their dark ink in the scheme's text colour on a dark face,
    // the disabled picture embossed in the current colours.
    void MakeDrawableImages();
    // The dotted ring of the keyboard focus, kept a clear pixel away from `captionInk` (the
    // caption's inked pixels; empty for none).
    void PaintFocusFrame(QPainter& painter, const QRect& captionInk) const;
    // The smallest rectangle holding the caption's ink as PaintCaption draws it.
    QRect CaptionInk(const TButtonLayout& layout, int offset) const;
    int TextFlags() const;
    void PaintBase(QPainter& painter) const;
    void PaintGlyph(QPainter& painter, const TButtonLayout& layout, int offset) const;
    void PaintCaption(QPainter& painter, const TButtonLayout& layout, int offset) const;

    bool autoGray_ = true;
    int borderWidth_ = 1;
    QString caption_;
    bool down_ = false;
    TFrameStyle frameStyle_ = fsExplorer;
    QImage glyph_;
    int numGlyphs_ = 1;
    QPointer<QMenu> popUpMenu_;
    bool showPressed_ = true;
    int spacing_ = 2;
    TTextAlign textAlign_ = ttaCenter;
    bool transparent_ = true;
    bool wordWrap_ = false;
    bool movable_ = false;
    int tag_ = 0;
    bool latching_ = false;

    bool held_ = false;
    bool tracking_ = false;
    bool shownPressed_ = false;
    bool hot_ = false;
    QPoint dragAnchor_;
    bool clickPending_ = false; // a left press reached the button; a left release inside clicks
    int shortcutId_ = 0;

    TGlyphImageSet images_;
    std::vector<QImage> drawableImages_; // images_.GlyphImages with their masks, for painting
};
