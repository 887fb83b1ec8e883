#include "colorpicker/ColorDropPalette.h"

#include "colorpicker/ColorDropButtonAccessible.h"
#include "colorpicker/ColorDropPaletteAccessible.h"
#include "colorpicker/StrToIntDef.h"
#include "platform/ColorDialogService.h"
#include "platform/DrawFrame3D.h"
#include "platform/SystemColors.h"

#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QToolTip>

#include <utility>

namespace {

constexpr int kCustomColumns = 8;
constexpr int kCustomRows = 2;

// btnOther and the Other cell, in client coordinates.
constexpr QRect kOtherButtonRect(1, 98, TColorDropPalette::kClientWidth - 22, 21);
constexpr int kOtherCellLeft = TColorDropPalette::kClientWidth - 19;
constexpr int kOtherCellTop = 98 + (21 - 16) / 2 - 1;
// Where the Other cell answers the pointer: three rows higher than where it is drawn.
constexpr int kOtherHitTop = 96;
constexpr int kOtherHitBottom = 113;
constexpr int kSeparatorY = 93;

void FillLine(QPainter& painter, int left, int top, int width, int height, TColor color) {
    painter.fillRect(left, top, width, height, ToQColor(color));
}

} // namespace

TColorDropPalette::TColorDropPalette(TServices services, QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint), services_(std::move(services)) {
    InstallColorPickerAccessible();
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    QFont paletteFont(QStringLiteral("MS Sans Serif"));
    paletteFont.setPixelSize(11);
    setFont(paletteFont);
    setFixedSize(kClientWidth + 2 * kFrameWidth, kClientHeight + 2 * kFrameWidth);

    otherButton_ = new QPushButton(QStringLiteral("&Other"), this);
    otherButton_->setObjectName(QStringLiteral("btnOther"));
    otherButton_->setFocusPolicy(Qt::NoFocus);
    otherButton_->setAutoDefault(false);
    otherButton_->setGeometry(kOtherButtonRect.translated(kFrameWidth, kFrameWidth));
    connect(otherButton_, &QPushButton::clicked, this, &TColorDropPalette::btnOtherClick);

    for (int x = 1; x <= kCustomColumns; ++x) {
        for (int y = 1; y <= kCustomRows; ++y) {
            customColors_.SetColors(x, y, clWhite);
        }
    }

    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state != Qt::ApplicationActive) {
            AppDeactivated();
        }
    });
}

TColorDropPalette::~TColorDropPalette() = default;

void TColorDropPalette::SetOtherColor(TColor value) {
    if (value != otherColor_) {
        otherColor_ = value;
        UpdateCell({0, 0});
    }
}

void TColorDropPalette::SetPaletteColors(const TColorArrayClass& value) {
    paletteColors_.Assign(&value);
    update();
}

void TColorDropPalette::SelectColor(TColor color) {
    const TColor wanted = ResolveColor(color);
    for (int column = 1; column <= kColumns; ++column) {
        for (int row = 1; row <= kRows; ++row) {
            const std::optional<TColor> cellColor = CellColor({column, row});
            if (cellColor && ResolveColor(*cellColor) == wanted) {
                hotCell_ = {column, row};
                return;
            }
        }
    }
    SetOtherColor(color);
}

bool TColorDropPalette::IsValidCell(TPaletteCell cell) {
    return cell.Row == 0 ||
           (cell.Column >= 1 && cell.Column <= kColumns && cell.Row >= 1 && cell.Row <= kRows);
}

QRect TColorDropPalette::CellRect(TPaletteCell cell) {
    if (cell.Row == 0) {
        return {kOtherCellLeft, kOtherCellTop, kCellSize, kCellSize};
    }
    if (!IsValidCell(cell)) {
        return {};
    }
    return {kCellSize * (cell.Column - 1), kCellSize * (cell.Row - 1), kCellSize, kCellSize};
}

TPaletteCell TColorDropPalette::CellAt(QPoint client) {
    const int x = client.x();
    const int y = client.y();
    if (x >= kOtherCellLeft && x <= kClientWidth - 1 && y >= kOtherHitTop && y <= kOtherHitBottom) {
        return {0, 0};
    }
    if (x >= 0 && y >= 0) {
        const TPaletteCell cell{x / kCellSize + 1, y / kCellSize + 1};
        if (cell.Column <= kColumns && cell.Row <= kRows) {
            return cell;
        }
    }
    return kNoCell;
}

TPaletteCell TColorDropPalette::CellAtPointer() const {
    return CellAt(ToClient(mapFromGlobal(QCursor::pos())));
}

std::optional<TColor> TColorDropPalette::CellColor(TPaletteCell cell) const {
    if (cell.Row == 0) {
        return otherColor_;
    }
    if (!IsValidCell(cell) || !paletteColors_.IsValidIndex(cell.Column, cell.Row)) {
        return std::nullopt;
    }
    return paletteColors_.Colors(cell.Column, cell.Row);
}

void TColorDropPalette::PaintCell(QPainter& painter, TPaletteCell cell, bool highlighted,
                                  TColor color) const {
    const QRect rect = CellRect(cell);
    if (rect.isEmpty()) {
        return;
    }
    if (cell.Row == 0) {
        color = otherColor_;
    }
    TRectLTRB ring{rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
    if (highlighted) {
        DrawFrame3D(painter, ring, cl3DDkShadow, cl3DDkShadow, 1);
        DrawFrame3D(painter, ring, clBtnHighlight, clBtnHighlight, 1);
        DrawFrame3D(painter, ring, cl3DDkShadow, cl3DDkShadow, 1);
    } else {
        DrawFrame3D(painter, ring, clBtnFace, clBtnFace, 1);
        DrawFrame3D(painter, ring, clBtnShadow, clBtnHighlight, 1);
        DrawFrame3D(painter, ring, cl3DDkShadow, cl3DLight, 1);
    }
    painter.fillRect(ring.Left, ring.Top, ring.Right - ring.Left, ring.Bottom - ring.Top, ToQColor(color));
}

void TColorDropPalette::HotTrack(TPaletteCell cell) {
    if (cell == hotCell_ || !IsValidCell(cell)) {
        return;
    }
    UpdateCell(highlightedCell_);
    highlightedCell_ = cell;
    hotCell_ = cell;
    UpdateCell(cell);
    NotifyPaletteCellFocus(this, cell);
}

QString TColorDropPalette::GetColorHintText(TColor color, int x, int y) {
    const TColor rgb = ResolveColor(color);
    QString text =
        QString::asprintf("RGB = %.3d %.3d %.3d", static_cast<int>(rgb & 0xFF),
                          static_cast<int>((rgb >> 8) & 0xFF), static_cast<int>((rgb >> 16) & 0xFF));
    DoGetColorHintText(color, x, y, text);
    return text;
}

void TColorDropPalette::DoGetColorHintText(TColor color, int x, int y, QString& text) {
    // A receiver learns which button the palette belongs to.
    emit colorHintTextRequested(parent(), color, x, y, text);
}

std::optional<QString> TColorDropPalette::HintAt(QPoint client, QRect& validRect) {
    const TPaletteCell cell = CellAt(client);
    const std::optional<TColor> color = CellColor(cell);
    if (!IsValidCell(cell) || !color) {
        return std::nullopt;
    }
    validRect = CellRect(cell);
    QString text = GetColorHintText(*color, cell.Column, cell.Row);
    if (text.isEmpty()) {
        return std::nullopt;
    }
    return text;
}

void TColorDropPalette::AppDeactivated() {
    if (!inColorDialog_) {
        close();
    }
}

void TColorDropPalette::btnOtherClick() {
    TColorDialogData dialog;
    dialog.Color = otherColor_;
    dialog.FullOpen = true;
    for (int column = 1; column <= kCustomColumns; ++column) {
        for (int row = 1; row <= kCustomRows; ++row) {
            const TColor color =
                customColors_.IsValidIndex(column, row) ? customColors_.Colors(column, row) : clWhite;
            dialog.CustomColors << CustomColorLine((row - 1) * kCustomColumns + (column - 1), color);
        }
    }

    inColorDialog_ = true;
    bool confirmed = false;
    try {
        confirmed = services_.ColorDialog->ExecuteColorDialog(this, dialog);
        if (confirmed) {
            otherColor_ = dialog.Color;
            const qsizetype lines =
                std::min<qsizetype>(dialog.CustomColors.size(), qsizetype{kCustomColumns} * kCustomRows);
            for (qsizetype i = 0; i < lines; ++i) {
                const QString& line = dialog.CustomColors.at(i);
                const qsizetype equals = line.indexOf(u'=');
                const TColor value = static_cast<TColor>(
                    StrToIntDef(QString(u'$' + line.mid(equals + 1, 9)), static_cast<std::int32_t>(clWhite)));
                // The letter before "=" names the box: A..H the first row, I..P the second. Any
                // other letter lies outside the table and ends the reading with an index error.
                const int n = equals > 0 ? line.at(equals - 1).unicode() - 64 : 0;
                customColors_.SetColors((n - 1) % kCustomColumns + 1, (n - 1) / kCustomColumns + 1, value);
            }
        }
    } catch (const EColorArrayIndexError& error) {
        // Only a faulty dialog service hands back such a line; the palette stays open and reports
        // no colour.
        inColorDialog_ = false;
        qWarning("Colour dialog returned a custom colour for an unknown box: %s", error.what());
        update();
        return;
    }
    inColorDialog_ = false;
    update();

    if (confirmed) {
        emit colorSelected(this, true, otherColor_);
        close();
    } else if (isVisible()) {
        activateWindow();
    }
}

bool TColorDropPalette::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::ToolTip: {
        auto* help = static_cast<QHelpEvent*>(event);
        QRect validRect;
        const std::optional<QString> text =
            showColorHints_ ? HintAt(ToClient(help->pos()), validRect) : std::nullopt;
        if (text) {
            QToolTip::showText(help->globalPos(), *text, this,
                               validRect.translated(kFrameWidth, kFrameWidth));
        } else {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
    case QEvent::FocusIn:
        // Once the focus has reached the palette, screen readers hear where it stands: the
        // current colour's cell (the Other cell for a colour the grid lacks).
        QMetaObject::invokeMethod(
            this,
            [this] {
                NotifyPaletteCellFocus(this, IsValidCell(hotCell_) ? hotCell_ : TPaletteCell{0, 0});
            },
            Qt::QueuedConnection);
        break;
    case QEvent::WindowDeactivate:
        // Another window of the program took the activation.
        close();
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

void TColorDropPalette::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), ToQColor(clBtnFace));
    TRectLTRB frame{0, 0, width(), height()};
    DrawFrame3D(painter, frame, cl3DLight, cl3DDkShadow, 1);
    DrawFrame3D(painter, frame, clBtnHighlight, clBtnShadow, 1);

    painter.translate(kFrameWidth, kFrameWidth);
    for (int column = 1; column <= kColumns; ++column) {
        for (int row = 1; row <= kRows; ++row) {
            const std::optional<TColor> color = CellColor({column, row});
            PaintCell(painter, {column, row}, false, color.value_or(clBtnFace));
        }
    }
    FillLine(painter, 2, kSeparatorY, kClientWidth - 4, 1, clBtnShadow);
    FillLine(painter, 2, kSeparatorY + 1, kClientWidth - 4, 1, clBtnHighlight);
    PaintCell(painter, {0, 0}, false, otherColor_);
    if (IsValidCell(highlightedCell_)) {
        PaintCell(painter, highlightedCell_, true, CellColor(highlightedCell_).value_or(clBtnFace));
    }
}

void TColorDropPalette::mouseMoveEvent(QMouseEvent* event) {
    HotTrack(CellAt(ToClient(event->position().toPoint())));
}

void TColorDropPalette::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
}

void TColorDropPalette::mouseReleaseEvent(QMouseEvent* event) {
    const bool pressed = pressed_;
    pressed_ = false;
    if (pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        FormClick(ToClient(event->position().toPoint()));
    }
}

void TColorDropPalette::keyPressEvent(QKeyEvent* event) {
    FormKeyDown(event->key());
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        FormKeyPress(13);
    } else if (event->key() == Qt::Key_Escape) {
        FormKeyPress(27);
    }
}

void TColorDropPalette::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // A freshly shown palette highlights only the cell under the pointer, while the keyboard
    // starts from the hot cell that SelectColor chose.
    highlightedCell_ = kNoCell;
    HotTrack(CellAtPointer());
}

void TColorDropPalette::closeEvent(QCloseEvent* event) {
    if (inColorDialog_) {
        event->ignore();
        return;
    }
    event->accept();
    if (!closing_) {
        closing_ = true;
        emit paletteClosing(this);
    }
}

void TColorDropPalette::FormKeyDown(int key) {
    if (!IsValidCell(hotCell_)) {
        HotTrack({1, 1});
        return;
    }
    TPaletteCell cell = hotCell_;
    switch (key) {
    case Qt::Key_Left:
        if (cell.Row != 0) {
            cell.Column = cell.Column == 1 ? kColumns : cell.Column - 1;
        }
        break;
    case Qt::Key_Right:
        if (cell.Row != 0) {
            cell.Column = cell.Column == kColumns ? 1 : cell.Column + 1;
        }
        break;
    case Qt::Key_Up:
        cell.Row = cell.Row == 0 ? kRows : cell.Row - 1;
        break;
    case Qt::Key_Down:
        cell.Row = cell.Row == kRows ? 0 : cell.Row + 1;
        break;
    default:
        return;
    }
    // The Other cell reached by the pointer carries no column; the keyboard leaves it through
    // column 1 instead of getting stuck on it.
    if (cell.Row != 0 && (cell.Column < 1 || cell.Column > kColumns)) {
        cell.Column = 1;
    }
    HotTrack(cell);
}

void TColorDropPalette::FormKeyPress(int character) {
    if (character == 13) {
        if (IsValidCell(hotCell_)) {
            ReportCell(hotCell_);
        }
        closedByKey_ = true;
        close();
    } else if (character == 27) {
        closedByKey_ = true;
        close();
    }
}

void TColorDropPalette::FormClick(QPoint client) {
    ReportCell(CellAt(client));
    close();
}

void TColorDropPalette::ReportCell(TPaletteCell cell) {
    const std::optional<TColor> color = CellColor(cell);
    if (IsValidCell(cell) && color) {
        emit colorSelected(this, cell.Row == 0, *color);
    }
}

void TColorDropPalette::UpdateCell(TPaletteCell cell) {
    const QRect rect = CellRect(cell);
    if (!rect.isEmpty()) {
        update(rect.translated(kFrameWidth, kFrameWidth));
    }
}

QPoint TColorDropPalette::ToClient(QPoint widget) {
    return widget - QPoint(kFrameWidth, kFrameWidth);
}
