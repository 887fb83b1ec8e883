#include "controls/TransBtn.h"

#include "controls/GlyphImageConvert.h"
#include "controls/TransBtnAccessible.h"
#include "platform/AccessibleEvents.h"
#include "platform/DrawFrame3D.h"
#include "platform/InkOnFace.h"
#include "platform/SystemColors.h"

#include <QAccessible>
#include <QContextMenuEvent>
#include <QEnterEvent>
#include <QFontMetrics>
#include <QImage>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>

#include <algorithm>

namespace {

// An outline drawn with a pen of `penWidth` (at least one pixel) lying inside `rect`, the
// inside filled with button face.
void FilledOutline(QPainter& painter, TRectLTRB rect, TColor pen, int penWidth) {
    painter.fillRect(rect.Left, rect.Top, rect.Right - rect.Left, rect.Bottom - rect.Top,
                     ToQColor(clBtnFace));
    DrawFrame3D(painter, rect, pen, pen, std::max(penWidth, 1));
}

} // namespace

TTransparentButton::TTransparentButton(QWidget* parent) : QWidget(parent) {
    setGeometry(0, 0, 40, 40);
    // Moves are reported (mouseMove) also while no mouse button is down.
    setMouseTracking(true);
    // Tab reaches the button; a click does not take the focus, as before.
    setFocusPolicy(Qt::TabFocus);
    InstallTransparentButtonAccessible();
}

TTransparentButton::~TTransparentButton() = default;

void TTransparentButton::SetAutoGray(bool value) {
    autoGray_ = value;
}

void TTransparentButton::SetBorderWidth(int value) {
    if (value != borderWidth_) {
        borderWidth_ = value;
        update();
    }
}

void TTransparentButton::SetCaption(const QString& value) {
    if (value != caption_) {
        caption_ = value;
        UpdateAcceleratorShortcut();
        update();
        SendAccessibleNameChange(this);
    }
}

void TTransparentButton::SetDown(bool value) {
    if (value != down_) {
        down_ = value;
        tracking_ = value;
        shownPressed_ = value;
        repaint();
        if (AccessibleEventsHeard()) {
            QAccessible::State changed;
            changed.checked = true;
            changed.pressed = true;
            QAccessibleStateChangeEvent event(this, changed);
            SendAccessibleEvent(event);
        }
    }
}

void TTransparentButton::SetLatching(bool value) {
    latching_ = value;
}

void TTransparentButton::SetFrameStyle(TFrameStyle value) {
    if (value != frameStyle_) {
        frameStyle_ = value;
        update();
    }
}

void TTransparentButton::SetGlyph(const QImage& value) {
    glyph_ = value;
    GlyphChanged();
}

void TTransparentButton::SetNumGlyphs(int value) {
    const int cells = std::clamp(value, 1, 4);
    if (cells != numGlyphs_) {
        numGlyphs_ = cells;
        update();
    }
}

void TTransparentButton::SetPopUpMenu(QMenu* value) {
    popUpMenu_ = value;
}

void TTransparentButton::SetShowPressed(bool value) {
    showPressed_ = value;
}

void TTransparentButton::SetSpacing(int value) {
    if (value != spacing_) {
        spacing_ = value;
        update();
    }
}

void TTransparentButton::SetTextAlign(TTextAlign value) {
    if (value != textAlign_) {
        textAlign_ = value;
        update();
    }
}

void TTransparentButton::SetTransparent(bool value) {
    if (value != transparent_) {
        transparent_ = value;
        update();
    }
}

void TTransparentButton::SetWordWrap(bool value) {
    if (value != wordWrap_) {
        wordWrap_ = value;
        update();
    }
}

void TTransparentButton::SetMovable(bool value) {
    movable_ = value;
}

void TTransparentButton::SetTag(int value) {
    tag_ = value;
}

void TTransparentButton::GlyphChanged() {
    update();
    if (glyph_.height() > 0 && glyph_.width() % glyph_.height() == 0) {
        const int cells = glyph_.width() / glyph_.height();
        SetNumGlyphs(cells > 4 ? 1 : cells);
    }
    BuildGlyphImages(images_, GlyphImageFromQImage(glyph_), numGlyphs_);
    MakeDrawableImages();
    if (!glyph_.isNull()) {
        update();
    }
}

void TTransparentButton::MakeDrawableImages() {
    drawableImages_.clear();
    const TGlyphImageList& list = images_.GlyphImages;
    const QColor face = palette().color(transparent_ ? backgroundRole() : QPalette::Button);
    const QColor ink = palette().color(QPalette::ButtonText);
    const bool dark = IsDarkFace(face, ink);
    for (int i = 0; i < list.Count(); ++i) {
        if (i == list.Count() - 1 && list.Count() >= 3) {
            // The disabled picture, embossed again from the first cell so that it follows a
            // change of the desktop's colours. A dark scheme engraves light ink over a dark copy.
            TGlyphImage disabled = list.Image(0);
            if (dark) {
                MakeDisabledImageIn(disabled, ResolveColor(clBtnFace),
                                    FromQColor(palette().color(QPalette::Shadow)),
                                    FromQColor(palette().color(QPalette::Disabled, QPalette::ButtonText)));
            } else {
                MakeDisabledImage(disabled);
            }
            drawableImages_.push_back(MaskedQImage(disabled, disabled.Pixel(0, disabled.Height() - 1)));
            continue;
        }
        drawableImages_.push_back(
            InkOnFace(MaskedQImage(list.Image(i), list.TransparentColor(i)), face, ink));
    }
}

void TTransparentButton::ActivateFromKeyboard(Qt::MouseButton button) {
    if (!isEnabled() || held_) {
        return;
    }
    const int x = width() / 2;
    const int y = height() / 2;
    const bool menu = popUpMenu_ != nullptr;
    QPointer<TTransparentButton> self(this);
    HandlePress(button, Qt::NoModifier, x, y);
    if (!self || menu || !held_) {
        // A menu's closing has ended the press already.
        return;
    }
    if (button == Qt::LeftButton) {
        emit clicked(this);
        if (!self) {
            return;
        }
    }
    HandleRelease(button, Qt::NoModifier, x, y);
}

void TTransparentButton::HandlePress(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y) {
    if (!isEnabled() || held_) {
        return;
    }
    held_ = true;
    QPointer<TTransparentButton> self(this);
    emit mouseDown(this, button, modifiers, x, y);
    if (!self) {
        return;
    }
    if (movable_) {
        dragAnchor_ = QPoint(x, y);
    }
    if (rect().contains(x, y)) {
        tracking_ = true;
        shownPressed_ = true;
        repaint();
    }
    if (popUpMenu_) {
        // The press ends here, through the release below. The mouse input that closes the menu
        // is dropped (not replayed to the widget under the pointer), and the press never
        // becomes a click.
        const QPointer<QMenu> menu = popUpMenu_;
        const bool replayOff = menu->testAttribute(Qt::WA_NoMouseReplay);
        menu->setAttribute(Qt::WA_NoMouseReplay, true);
        menu->exec(mapToGlobal(QPoint(0, height())));
        if (menu) {
            menu->setAttribute(Qt::WA_NoMouseReplay, replayOff);
        }
        if (!self) {
            return;
        }
        clickPending_ = false;
        HandleRelease(button, modifiers, x, y);
    }
}

void TTransparentButton::HandleMove(Qt::KeyboardModifiers modifiers, int x, int y) {
    QPointer<TTransparentButton> self(this);
    emit mouseMove(this, modifiers, x, y);
    if (!self || !tracking_) {
        return;
    }
    // Only a held press drags: a latched Down button also tracks, and must not follow a
    // pointer that merely passes over it.
    if (movable_ && held_) {
        move(pos() + QPoint(x, y) - dragAnchor_);
    }
    const bool inside = rect().contains(x, y);
    if (inside != shownPressed_) {
        shownPressed_ = inside;
        repaint();
    }
}

void TTransparentButton::HandleRelease(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x,
                                       int y) {
    if (!isEnabled() || !held_) {
        return;
    }
    held_ = false;
    if (down_) {
        // A latched button keeps its pressed look, also after a press dragged off it.
        if (!shownPressed_) {
            shownPressed_ = true;
            repaint();
        }
        return;
    }
    QPointer<TTransparentButton> self(this);
    emit mouseUp(this, button, modifiers, x, y);
    if (!self) {
        return;
    }
    tracking_ = false;
    shownPressed_ = false;
    repaint();
}

void TTransparentButton::HandleEnter() {
    if (!isEnabled()) {
        return;
    }
    hot_ = true;
    QPointer<TTransparentButton> self(this);
    emit mouseEnter(this);
    if (self && frameStyle_ == fsExplorer) {
        repaint();
    }
}

void TTransparentButton::HandleLeave() {
    if (!isEnabled()) {
        return;
    }
    hot_ = false;
    QPointer<TTransparentButton> self(this);
    emit mouseExit(this);
    if (self && frameStyle_ == fsExplorer) {
        repaint();
    }
}

bool TTransparentButton::HandleDialogChar(QChar ch) {
    const char16_t accelerator = AcceleratorChar(caption_.toStdU16String());
    if (!isEnabled() || accelerator == u'\0' || QChar(accelerator).toUpper() != ch.toUpper()) {
        return false;
    }
    emit clicked(this);
    return true;
}

void TTransparentButton::EnabledChanged() {
    if (!isEnabled()) {
        shownPressed_ = false;
        tracking_ = false;
        held_ = false;
        hot_ = false;
        clickPending_ = false;
    }
    repaint();
}

void TTransparentButton::UpdateAcceleratorShortcut() {
    if (shortcutId_ != 0) {
        releaseShortcut(shortcutId_);
        shortcutId_ = 0;
    }
    const QKeySequence sequence = QKeySequence::mnemonic(caption_);
    if (!sequence.isEmpty()) {
        shortcutId_ = grabShortcut(sequence);
    }
}

int TTransparentButton::TextFlags() const {
    return Qt::TextShowMnemonic | (wordWrap_ ? Qt::TextWordWrap : Qt::TextSingleLine);
}

QSize TTransparentButton::CaptionSize() const {
    if (caption_.isEmpty()) {
        return {0, 0};
    }
    const QFontMetrics metrics(font());
    return metrics
        .boundingRect(QRect(0, 0, width(), height()), Qt::AlignLeft | Qt::AlignTop | TextFlags(), caption_)
        .size();
}

TButtonLayout TTransparentButton::CurrentLayout() const {
    const int glyphWidth = glyph_.isNull() ? 0 : GlyphCellWidth(glyph_.width(), numGlyphs_);
    const int glyphHeight = glyph_.isNull() ? 0 : glyph_.height();
    const QSize caption = CaptionSize();
    return LayoutGlyphAndCaption(textAlign_, width(), height(), glyphWidth, glyphHeight, caption.width(),
                                 caption.height(), spacing_);
}

int TTransparentButton::CurrentGlyphIndex() const {
    TGlyphChoice choice;
    choice.NumGlyphs = numGlyphs_;
    choice.Enabled = isEnabled();
    choice.ShownPressed = shownPressed_;
    choice.FrameStyle = frameStyle_;
    choice.AutoGray = autoGray_;
    choice.Hot = hot_;
    choice.ImageCount = images_.GlyphImages.Count();
    return ChooseGlyphImage(choice);
}

QRect TTransparentButton::CaptionInk(const TButtonLayout& layout, int offset) const {
    QImage ink(size(), QImage::Format_ARGB32_Premultiplied);
    ink.fill(Qt::transparent);
    QPainter painter(&ink);
    PaintCaption(painter, layout, offset);
    painter.end();
    QRect box;
    for (int y = 0; y < ink.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(ink.constScanLine(y));
        for (int x = 0; x < ink.width(); ++x) {
            if (qAlpha(row[x]) != 0) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    return box;
}

void TTransparentButton::PaintFocusFrame(QPainter& painter, const QRect& captionInk) const {
    // A dotted ring two pixels inside the edge, as flat toolbars show the keyboard focus; the
    // button only takes the focus from the keyboard. A side that would come within a pixel of
    // the caption moves out toward the edge, as far as it must.
    const QColor dot = palette().color(QPalette::ButtonText);
    int left = 2;
    int top = 2;
    int right = width() - 3;
    int bottom = height() - 3;
    if (!captionInk.isEmpty()) {
        constexpr int kClear = 2; // from a dot to the nearest letter: one clear pixel between
        while (left > 0 && captionInk.left() - left < kClear) {
            --left;
        }
        while (top > 0 && captionInk.top() - top < kClear) {
            --top;
        }
        while (right < width() - 1 && right - captionInk.right() < kClear) {
            ++right;
        }
        while (bottom < height() - 1 && bottom - captionInk.bottom() < kClear) {
            ++bottom;
        }
    }
    for (int x = left; x <= right; ++x) {
        for (int y : {top, bottom}) {
            if ((x + y) % 2 == 0) {
                painter.fillRect(x, y, 1, 1, dot);
            }
        }
    }
    for (int y = top + 1; y < bottom; ++y) {
        for (int x : {left, right}) {
            if ((x + y) % 2 == 0) {
                painter.fillRect(x, y, 1, 1, dot);
            }
        }
    }
}

void TTransparentButton::Paint(QPainter& painter) const {
    PaintBase(painter);
    TRectLTRB frame{0, 0, width(), height()};
    TButtonLook look;
    look.ShownPressed = shownPressed_;
    look.ShowPressed = showPressed_;
    look.Hot = hot_;
    look.Down = down_;
    for (const TFrame3D& step : StateStepFrames(frameStyle_, look, borderWidth_)) {
        DrawFrame3D(painter, frame, step.Top, step.Bottom, step.Width);
    }
    const TButtonLayout layout = CurrentLayout();
    const int offset = shownPressed_ && showPressed_ ? 1 : 0;
    if (!glyph_.isNull()) {
        PaintGlyph(painter, layout, offset);
    }
    if (!caption_.isEmpty()) {
        PaintCaption(painter, layout, offset);
    }
    if (hasFocus() && width() > 5 && height() > 5) {
        PaintFocusFrame(painter, caption_.isEmpty() ? QRect() : CaptionInk(layout, offset));
    }
}

void TTransparentButton::PaintBase(QPainter& painter) const {
    const int w = width();
    const int h = height();
    const int bw = borderWidth_;
    if (transparent_) {
        if (frameStyle_ == fsRegular) {
            TRectLTRB outline{1, 1, w, h};
            DrawFrame3D(painter, outline, clBlack, clBlack, bw);
        } else if (frameStyle_ == fsIndent) {
            TRectLTRB shadow{0, 0, w - 1, h - 1};
            DrawFrame3D(painter, shadow, clBtnShadow, clBtnShadow, bw);
            TRectLTRB light{1, 1, w, h};
            DrawFrame3D(painter, light, clBtnHighlight, clBtnHighlight, bw);
        }
        return;
    }
    if (frameStyle_ == fsRegular) {
        FilledOutline(painter, {1, 1, w, h}, clBlack, bw);
    } else if (frameStyle_ == fsIndent) {
        FilledOutline(painter, {0, 0, w - 1, h - 1}, clBtnShadow, bw);
        TRectLTRB light{1, 1, w, h};
        DrawFrame3D(painter, light, clBtnHighlight, clBtnHighlight, bw);
    } else {
        painter.fillRect(0, 0, w, h, ToQColor(clBtnFace));
    }
}

void TTransparentButton::PaintGlyph(QPainter& painter, const TButtonLayout& layout, int offset) const {
    const int index = CurrentGlyphIndex();
    if (index < 0 || index >= static_cast<int>(drawableImages_.size())) {
        return;
    }
    const QImage& image = drawableImages_[static_cast<std::size_t>(index)];
    if (image.isNull()) {
        return;
    }
    const QPoint at(layout.GX + offset, layout.GY + offset);
    if (!transparent_) {
        painter.fillRect(QRect(at, image.size()), ToQColor(clBtnFace));
    }
    painter.drawImage(at, image);
}

void TTransparentButton::PaintCaption(QPainter& painter, const TButtonLayout& layout, int offset) const {
    painter.setFont(font());
    const QRect placed(QPoint(layout.TX + offset, layout.TY + offset), CaptionSize());
    const int flags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip | TextFlags();
    if (isEnabled()) {
        painter.setPen(palette().color(QPalette::Active, foregroundRole()));
        painter.drawText(placed, flags, caption_);
        return;
    }
    const QColor face = palette().color(transparent_ ? backgroundRole() : QPalette::Button);
    const bool dark = IsDarkFace(face, palette().color(QPalette::ButtonText));
    painter.setPen(dark ? palette().color(QPalette::Shadow) : ToQColor(clBtnHighlight));
    painter.drawText(placed.translated(1, 1), flags, caption_);
    painter.setPen(dark ? palette().color(QPalette::Disabled, QPalette::ButtonText) : ToQColor(clBtnShadow));
    painter.drawText(placed, flags, caption_);
}

bool TTransparentButton::event(QEvent* event) {
    if (event->type() == QEvent::Shortcut) {
        auto* shortcut = static_cast<QShortcutEvent*>(event);
        if (shortcut->shortcutId() == shortcutId_ && !shortcut->key().isEmpty()) {
            const auto key = static_cast<char16_t>(shortcut->key()[0].key());
            if (HandleDialogChar(QChar(key))) {
                return true;
            }
        }
    }
    return QWidget::event(event);
}

void TTransparentButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    Paint(painter);
}

void TTransparentButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        clickPending_ = true;
    }
    const QPoint at = event->position().toPoint();
    HandlePress(event->button(), event->modifiers(), at.x(), at.y());
}

void TTransparentButton::mouseDoubleClickEvent(QMouseEvent* event) {
    // No double clicks: the second click of a pair is an ordinary press.
    mousePressEvent(event);
}

void TTransparentButton::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    HandleMove(event->modifiers(), at.x(), at.y());
}

void TTransparentButton::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        const bool click = clickPending_ && rect().contains(at);
        clickPending_ = false;
        if (click) {
            QPointer<TTransparentButton> self(this);
            emit clicked(this);
            if (!self) {
                return;
            }
        }
    }
    HandleRelease(event->button(), event->modifiers(), at.x(), at.y());
}

void TTransparentButton::enterEvent(QEnterEvent*) {
    HandleEnter();
}

void TTransparentButton::leaveEvent(QEvent*) {
    HandleLeave();
}

void TTransparentButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange) {
        EnabledChanged();
    } else if (event->type() == QEvent::FontChange) {
        update();
    } else if (event->type() == QEvent::PaletteChange) {
        MakeDrawableImages();
        update();
    }
    QWidget::changeEvent(event);
}

void TTransparentButton::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    if (modifiers == Qt::NoModifier &&
        (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)) {
        if (!event->isAutoRepeat()) {
            ActivateFromKeyboard(Qt::LeftButton);
        }
        return;
    }
    // The Menu key arrives as a context-menu request of its own (below).
    if (key == Qt::Key_F10 && modifiers == Qt::ShiftModifier) {
        if (!event->isAutoRepeat()) {
            ActivateFromKeyboard(Qt::RightButton);
        }
        return;
    }
    QWidget::keyPressEvent(event);
}

void TTransparentButton::contextMenuEvent(QContextMenuEvent* event) {
    // A right click has been handled as a press already; only the keyboard's request is new.
    if (event->reason() == QContextMenuEvent::Keyboard) {
        ActivateFromKeyboard(Qt::RightButton);
        return;
    }
    event->ignore();
}

void TTransparentButton::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void TTransparentButton::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}
