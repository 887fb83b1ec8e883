#include "colorpicker/ColorDropButton.h"

#include "colorpicker/ColorDropButtonAccessible.h"
#include "colorpicker/StrToIntDef.h"
#include "engine/OrivUtil.h"
#include "platform/AccessibleEvents.h"
#include "platform/DrawFrame3D.h"
#include "platform/InkOnFace.h"
#include "platform/SystemColors.h"
#include "platform/UserStore.h"

#include <QAccessible>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include <utility>

// Resources of a static library must be registered by hand, from outside any namespace.
static void InitArrowResources() {
    Q_INIT_RESOURCE(arrows);
}

namespace {

constexpr TColor Rgb(int r, int g, int b) {
    return static_cast<TColor>(r) | (static_cast<TColor>(g) << 8) | (static_cast<TColor>(b) << 16);
}

// The default palette as the palette window shows it: [row][column].
constexpr TColor kDefaultPalette[5][4] = {
    {Rgb(255, 255, 255), Rgb(0, 0, 0), Rgb(192, 192, 192), Rgb(128, 128, 128)},
    {Rgb(255, 0, 0), Rgb(128, 0, 0), Rgb(255, 255, 0), Rgb(128, 128, 0)},
    {Rgb(0, 255, 0), Rgb(0, 128, 0), Rgb(0, 255, 255), Rgb(0, 128, 128)},
    {Rgb(0, 0, 255), Rgb(0, 0, 128), Rgb(255, 0, 255), Rgb(128, 0, 128)},
    {Rgb(192, 216, 192), Rgb(160, 192, 240), Rgb(255, 248, 240), Rgb(160, 160, 160)},
};

// The palette goes this far above the button's top edge when there is no room below.
constexpr int kPaletteHeightAbove = 121;

void Fill(QPainter& painter, int left, int top, int width, int height, TColor color) {
    if (width > 0 && height > 0) {
        painter.fillRect(left, top, width, height, ToQColor(color));
    }
}

// A one-pixel outline of the rectangle (left, top, right, bottom), right and bottom exclusive.
void Outline(QPainter& painter, int left, int top, int right, int bottom, TColor color) {
    TRectLTRB rect{left, top, right, bottom};
    DrawFrame3D(painter, rect, color, color, 1);
}

// The dotted focus rectangle: every other pixel along the edge of rect, in dot.
void DottedFrame(QPainter& painter, const TRectLTRB& rect, const QColor& dot) {
    for (int x = rect.Left; x < rect.Right; ++x) {
        for (int y = rect.Top; y < rect.Bottom; ++y) {
            const bool onEdge =
                x == rect.Left || x == rect.Right - 1 || y == rect.Top || y == rect.Bottom - 1;
            if (onEdge && (x + y) % 2 == 0) {
                painter.fillRect(x, y, 1, 1, dot);
            }
        }
    }
}

// The disabled swatch's diagonal hatch: one pixel in four inside rect, in ink.
void Hatch(QPainter& painter, const TRectLTRB& rect, const QColor& ink) {
    for (int x = rect.Left; x < rect.Right; ++x) {
        for (int y = rect.Top; y < rect.Bottom; ++y) {
            if ((x + y) % 4 == 3) {
                painter.fillRect(x, y, 1, 1, ink);
            }
        }
    }
}

} // namespace

TColorDropButton::TColorDropButton(TServices services, QWidget* parent)
    : QPushButton(parent), services_(std::move(services)) {
    InitArrowResources();
    arrow_ = QImage(QStringLiteral(":/arrows/ARROW_BMP")).convertToFormat(QImage::Format_RGB32);
    arrowDisabled_ =
        QImage(QStringLiteral(":/arrows/ARROW_DISABLED_BMP")).convertToFormat(QImage::Format_RGB32);
    setText(QString());
    // The focused button is its window's default button, so Enter clicks it as Space does.
    setAutoDefault(true);
    SetDefaultColors();
    resize(45, 22);
    connect(this, &QAbstractButton::clicked, this, &TColorDropButton::Click);
    InstallColorPickerAccessible();
}

TColorDropButton::~TColorDropButton() {
    SaveCustomColors();
    if (palette_) {
        palette_->disconnect(this);
        delete palette_.data();
    }
}

void TColorDropButton::SetStyle(TButtonStyle value) {
    if (value != style_) {
        style_ = value;
        update();
    }
}

void TColorDropButton::SetFlat(bool value) {
    if (value != flat_) {
        flat_ = value;
        update();
    }
}

void TColorDropButton::SetColor(TColor value) {
    if (value == color_) {
        return;
    }
    color_ = value;
    paletteIndex_ = 0;
    for (int n = 1; n <= paletteColors_.Count(); ++n) {
        if (paletteColors_.ColorByIndex(n) == value) {
            paletteIndex_ = n;
            break;
        }
    }
    update();
    DoColorChange();
}

void TColorDropButton::SetPaletteIndex(int value) {
    if (value == paletteIndex_ || value < 0 || value > paletteColors_.Count()) {
        return;
    }
    paletteIndex_ = value;
    color_ = value == 0 ? otherColor_ : paletteColors_.ColorByIndex(value);
    update();
    DoColorChange();
}

QString TColorDropButton::ColorHexText() const {
    return u'#' + QString::fromStdString(SplitColor(color_).Hex);
}

void TColorDropButton::DoColorChange() {
    // The name says the colour, so a screen reader speaks the new one.
    SendAccessibleNameChange(this);
    emit colorChanged(this);
}

void TColorDropButton::SetDefaultColors() {
    // A 16-colour display would take the display's stock pens here; no such display exists on
    // this desktop, so the fixed table always applies.
    paletteColors_.SetXSize(4);
    paletteColors_.SetYSize(5);
    for (int column = 1; column <= 4; ++column) {
        for (int row = 1; row <= 5; ++row) {
            paletteColors_.SetColors(column, row, kDefaultPalette[row - 1][column - 1]);
        }
    }
    for (int x = 1; x <= customColors_.XSize(); ++x) {
        for (int y = 1; y <= customColors_.YSize(); ++y) {
            customColors_.SetColors(x, y, clWhite);
        }
    }
    otherColor_ = clBtnFace;
}

void TColorDropButton::Loaded() {
    LoadCustomColors();
}

QString TColorDropButton::GetCustomColorsValueName() const {
    // The stored name is the window's and the button's (Form1.ClBtn1), whatever container
    // widgets of the window stand between them.
    const QWidget* form = window();
    if (form && form != this) {
        return form->objectName() + u'.' + objectName();
    }
    return objectName();
}

QString TColorDropButton::CustomColorsText() const {
    QStringList fields;
    for (int x = 1; x <= customColors_.XSize(); ++x) {
        for (int y = 1; y <= customColors_.YSize(); ++y) {
            fields << u'$' +
                          QString::number(customColors_.Colors(x, y), 16).toUpper().rightJustified(8, u'0');
        }
    }
    return fields.join(u',');
}

void TColorDropButton::ApplyCustomColorsText(const QString& text) {
    if (text.isEmpty()) {
        return;
    }
    const qsizetype comma = text.indexOf(u',');
    if (comma < 0) {
        return;
    }
    // Every field is taken to be as wide as the first, which the saved form guarantees; the last
    // field needs no comma after it.
    const qsizetype width = comma;
    QStringView remaining(text);
    for (int x = 1; x <= customColors_.XSize(); ++x) {
        for (int y = 1; y <= customColors_.YSize(); ++y) {
            const QStringView field = remaining.left(width);
            customColors_.SetColors(
                x, y, static_cast<TColor>(StrToIntDef(field, static_cast<std::int32_t>(clWhite))));
            remaining = remaining.size() > width ? remaining.mid(width + 1) : QStringView();
        }
    }
}

void TColorDropButton::SaveCustomColors() {
    const QString text = CustomColorsText();
    // A button whose colours were never loaded has no value name yet, and writing would only
    // overwrite what the user saved last time with the defaults.
    if (customColorsKey_.isEmpty() || customColorsValueName_.isEmpty()) {
        return;
    }
    QString key = customColorsKey_;
    while (key.endsWith(u'\\')) {
        key.chop(1);
    }
    services_.UserStore->WriteValue(key + QStringLiteral("\\Colors"), customColorsValueName_, text);
}

void TColorDropButton::LoadCustomColors() {
    customColorsValueName_ = GetCustomColorsValueName();
    customColorsLoaded_ = true;
    if (customColorsKey_.isEmpty()) {
        return;
    }
    QString key = customColorsKey_;
    while (key.endsWith(u'\\')) {
        key.chop(1);
    }
    ApplyCustomColorsText(
        services_.UserStore->ReadValue(key + QStringLiteral("\\Colors"), customColorsValueName_));
}

QPoint TColorDropButton::PointerPos() const {
    return mapFromGlobal(QCursor::pos());
}

void TColorDropButton::Click() {
    if (skipNextClick_) {
        skipNextClick_ = false;
        return;
    }
    if (palette_) {
        // The palette is still open (its loss of the activation has not arrived yet): this click
        // closes it and is used up by doing so.
        palette_->close();
        skipNextClick_ = false;
        return;
    }
    const QPoint pointer = PointerPos();
    if (cycleColors_ && pointer.x() <= width() - 13) {
        int next = paletteIndex_ + 1;
        if (next > paletteColors_.Count()) {
            next = 0;
        }
        SetPaletteIndex(next);
        return;
    }
    OpenPalette();
}

QPoint TColorDropButton::PalettePosition(QPoint buttonTopLeft, int buttonHeight, QSize paletteSize,
                                         const QRect& workArea) {
    QPoint position = buttonTopLeft + QPoint(0, buttonHeight);
    const int workBottom = workArea.y() + workArea.height();
    const int workRight = workArea.x() + workArea.width();
    if (position.y() + paletteSize.height() > workBottom) {
        position = buttonTopLeft - QPoint(0, kPaletteHeightAbove);
    }
    if (position.x() < workArea.x()) {
        position.setX(workArea.x());
    } else if (position.x() + paletteSize.width() > workRight) {
        position.setX(workRight - paletteSize.width());
    }
    return position;
}

void TColorDropButton::OpenPalette() {
    // Stay-on-top windows need no demoting on this desktop: the palette is a tool window of the
    // program and stays above it.
    auto* palette = new TColorDropPalette(services_, this);
    palette->setObjectName(QStringLiteral("ColorDropPalette"));
    const QScreen* buttonScreen = screen() ? screen() : QGuiApplication::primaryScreen();
    const QRect workArea = buttonScreen ? buttonScreen->availableGeometry() : QRect(0, 0, 1 << 16, 1 << 16);
    palette->move(PalettePosition(mapToGlobal(QPoint(0, 0)), height(), palette->size(), workArea));

    palette->SetShowColorHints(showColorHints_);
    palette->btnOther()->setText(otherBtnCaption_);
    palette->SetOtherColor(otherColor_);
    connect(palette, &TColorDropPalette::colorSelected, this, &TColorDropButton::PaletteColorChosen);
    connect(palette, &TColorDropPalette::paletteClosing, this, &TColorDropButton::PaletteClosed);
    palette->SetPaletteColors(paletteColors_);
    palette->SetCustomColors(customColors_);
    // The hint text comes back by reference, so the relay must run at once.
    connect(palette, &TColorDropPalette::colorHintTextRequested, this,
            &TColorDropButton::colorHintTextRequested, Qt::DirectConnection);
    palette->SelectColor(color_);

    palette_ = palette;
    repaint();
    palette->show();
    palette->activateWindow();
    palette->setFocus(Qt::PopupFocusReason);
}

void TColorDropButton::PaletteColorChosen(TColorDropPalette*, bool isOther, TColor color) {
    SetColor(color);
    if (isOther) {
        otherColor_ = color;
    }
}

void TColorDropButton::PaletteClosed(TColorDropPalette* sender) {
    if (!palette_ || sender != palette_) {
        return;
    }
    // A press on the button closes the palette; the click that follows on release must not open
    // it again. Enter and Escape leave the pointer where it was, so they swallow nothing.
    if (!palette_->ClosedByKey() && rect().contains(PointerPos())) {
        skipNextClick_ = true;
    }
    const bool closedByKey = palette_->ClosedByKey();
    customColors_.Assign(&palette_->CustomColors());
    palette_ = nullptr;
    update();
    if (closedByKey) {
        // The keyboard goes on from the button; a desktop without a window manager would
        // otherwise leave no window active.
        window()->activateWindow();
        setFocus(Qt::PopupFocusReason);
    }
}

bool TColorDropButton::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::Enter:
        if (flat_ && !mouseInControl_) {
            update();
        }
        break;
    case QEvent::Leave:
        if (flat_ && mouseInControl_) {
            update();
        }
        break;
    case QEvent::Show:
        if (!customColorsLoaded_) {
            LoadCustomColors();
        }
        break;
    default:
        break;
    }
    return QPushButton::event(event);
}

void TColorDropButton::mousePressEvent(QMouseEvent* event) {
    if (palette_ && event->button() == Qt::LeftButton) {
        // Pressing the button closes its open palette; the release that follows is swallowed.
        palette_->close();
    }
    QPushButton::mousePressEvent(event);
}

void TColorDropButton::focusInEvent(QFocusEvent* event) {
    QPushButton::focusInEvent(event);
    if (!isFocused_) {
        isFocused_ = true;
        repaint();
    }
}

void TColorDropButton::focusOutEvent(QFocusEvent* event) {
    QPushButton::focusOutEvent(event);
    if (isFocused_) {
        isFocused_ = false;
        repaint();
    }
}

void TColorDropButton::changeEvent(QEvent* event) {
    QPushButton::changeEvent(event);
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::FontChange) {
        update();
    }
}

void TColorDropButton::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if ((event->key() == Qt::Key_Down && modifiers == Qt::AltModifier) ||
        (event->key() == Qt::Key_F4 && modifiers == Qt::NoModifier)) {
        if (!palette_ && isEnabled()) {
            OpenPalette();
        }
        return;
    }
    QPushButton::keyPressEvent(event);
}

void TColorDropButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    Paint(painter);
}

void TColorDropButton::Paint(QPainter& painter) {
    const int w = width();
    const int h = height();
    const bool pressedLook = isDown() || PaletteOpen();
    const bool focus = hasFocus();
    const bool enabled = isEnabled();
    mouseInControl_ = QRect(mapToGlobal(QPoint(0, 0)), size()).contains(QCursor::pos());

    if (pressedLook) {
        Fill(painter, 0, 0, w, h, clBtnFace);
        Outline(painter, 0, 0, w, h, clWindowFrame);
        Outline(painter, 1, 1, w - 1, h - 1, clBtnShadow);
    } else if (flat_ && (mouseInControl_ || focus)) {
        // A thin raised edge: highlight up the left side and along the top, shadow down the right
        // side and back along the bottom.
        Fill(painter, 1, 1, w - 2, h - 2, clBtnFace);
        Fill(painter, 0, 1, 1, h - 1, clBtnHighlight);
        Fill(painter, 0, 0, w - 1, 1, clBtnHighlight);
        Fill(painter, w - 1, 0, 1, h - 1, clBtnShadow);
        Fill(painter, 1, h - 1, w - 1, 1, clBtnShadow);
    } else if (flat_) {
        // The flat push-button frame has a single outer ring, which is painted over in button
        // face: a flat button at rest shows no border at all.
        Fill(painter, 0, 0, w, h, clBtnFace);
    } else {
        TRectLTRB frame{0, 0, w, h};
        DrawFrame3D(painter, frame, clBtnHighlight, cl3DDkShadow, 1);
        DrawFrame3D(painter, frame, cl3DLight, clBtnShadow, 1);
        Fill(painter, frame.Left, frame.Top, frame.Right - frame.Left, frame.Bottom - frame.Top, clBtnFace);
    }

    const int shift = pressedLook ? 1 : 0;
    const TRectLTRB content{3 + shift, 3 + shift, w - 3 + shift, h - 3 + shift};
    if (isFocused_ && focus) {
        // The dotted focus rectangle inverts every other pixel of the face.
        const QColor dot = ToQColor(ResolveColor(clBtnFace) ^ 0x00FFFFFFu);
        DottedFrame(painter, content, dot);
    }

    const TRectLTRB swatch{content.Left + 3, content.Top + 2, content.Right - 3 - 10, content.Bottom - 2};
    // The swatch's black outline would vanish on a dark face, and with it a swatch of the face's
    // own colour; a dark scheme draws it in its text colour.
    const bool darkFace = IsDarkFace(ToQColor(clBtnFace), palette().color(QPalette::ButtonText));
    Outline(painter, swatch.Left, swatch.Top, swatch.Right, swatch.Bottom,
            darkFace ? FromQColor(palette().color(QPalette::ButtonText)) : clWindowFrame);
    if (enabled) {
        Fill(painter, swatch.Left + 1, swatch.Top + 1, swatch.Right - swatch.Left - 2,
             swatch.Bottom - swatch.Top - 2, color_);
    } else {
        // A dark scheme hatches in its own disabled text colour; black would not show.
        const QColor face = ToQColor(clBtnFace);
        const bool dark = IsDarkFace(face, palette().color(QPalette::ButtonText));
        const QColor black =
            dark ? palette().color(QPalette::Disabled, QPalette::ButtonText) : ToQColor(clBlack);
        Hatch(painter, {swatch.Left + 1, swatch.Top + 1, swatch.Right - 1, swatch.Bottom - 1}, black);
    }

    const int separatorX = swatch.Right + 3;
    Fill(painter, separatorX, swatch.Top, 1, swatch.Bottom - swatch.Top, clBtnShadow);
    Fill(painter, separatorX + 1, swatch.Top, 1, swatch.Bottom - swatch.Top, clBtnHighlight);

    const QImage& picture = enabled ? arrow_ : arrowDisabled_;
    if (picture.width() >= 6 && picture.height() >= 4) {
        const QRgb background = picture.pixel(0, picture.height() - 1);
        const QColor face = ToQColor(clBtnFace);
        const QColor ink = palette().color(QPalette::ButtonText);
        const bool dark = IsDarkFace(face, ink);
        const int arrowX = separatorX + 2;
        const int arrowY = swatch.Top + (swatch.Bottom - swatch.Top) / 2 - 2;
        for (int x = 0; x < 6; ++x) {
            for (int y = 0; y < 4; ++y) {
                const QRgb pixel = picture.pixel(x, y);
                const QColor color = pixel == background        ? face
                                     : dark && IsDarkInk(pixel) ? ink
                                                                : QColor(pixel);
                painter.fillRect(arrowX + x, arrowY + y, 1, 1, color);
            }
        }
    }
}
