#include "colorpicker/ColorDropPaletteAccessible.h"

#include "engine/OrivUtil.h"
#include "platform/AccessibleEvents.h"

#include <QAccessible>
#include <QCoreApplication>

namespace {

QString HexOf(TColor color) {
    return u'#' + QString::fromStdString(SplitColor(color).Hex);
}

// One colour cell of an open palette; it lives as long as the palette's own interface.
class TPaletteCellAccessible final : public QAccessibleInterface {
public:
    TPaletteCellAccessible(TColorDropPalette* palette, TPaletteCell cell) : palette_(palette), cell_(cell) {}

    bool isValid() const override { return !palette_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return palette_ ? palette_->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(palette_); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    void setText(QAccessible::Text, const QString&) override {}

    QString text(QAccessible::Text t) const override {
        if (!palette_) {
            return {};
        }
        const QString hex = HexOf(palette_->CellColor(cell_).value_or(clBtnFace));
        if (t == QAccessible::Name) {
            if (cell_.Row == 0) {
                return QCoreApplication::translate("TColorDropPalette", "その他の色 %1").arg(hex);
            }
            return QCoreApplication::translate("TColorDropPalette", "%1、%2行%3列")
                .arg(hex)
                .arg(cell_.Row)
                .arg(cell_.Column);
        }
        if (t == QAccessible::Description) {
            const TOrivRGB rgb = SplitColor(palette_->CellColor(cell_).value_or(clBtnFace));
            return QStringLiteral("RGB = %1 %2 %3").arg(rgb.R).arg(rgb.G).arg(rgb.B);
        }
        return {};
    }

    QRect rect() const override {
        if (!palette_) {
            return {};
        }
        const QRect cell = TColorDropPalette::CellRect(cell_).translated(TColorDropPalette::kFrameWidth,
                                                                         TColorDropPalette::kFrameWidth);
        return QRect(palette_->mapToGlobal(cell.topLeft()), cell.size());
    }

    QAccessible::State state() const override {
        QAccessible::State state;
        if (!palette_) {
            state.invalid = true;
            return state;
        }
        state.focusable = true;
        state.selectable = true;
        const bool hot = palette_->HotCell() == cell_;
        state.focused = hot && palette_->hasFocus();
        state.selected = hot;
        return state;
    }

private:
    QPointer<TColorDropPalette> palette_;
    TPaletteCell cell_;
};

} // namespace

TColorDropPaletteAccessible::TColorDropPaletteAccessible(TColorDropPalette* palette)
    : QAccessibleWidget(palette, QAccessible::List) {}

TColorDropPaletteAccessible::~TColorDropPaletteAccessible() {
    for (const QAccessible::Id id : cellIds_) {
        QAccessible::deleteAccessibleInterface(id);
    }
}

TColorDropPalette* TColorDropPaletteAccessible::Palette() const {
    return static_cast<TColorDropPalette*>(widget());
}

QString TColorDropPaletteAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Name) {
        return QCoreApplication::translate("TColorDropPalette", "色パレット");
    }
    if (t == QAccessible::Description) {
        return QCoreApplication::translate("TColorDropPalette",
                                           "矢印キーで選び、Enterで決定、Escで閉じます。Alt+Oでその他の色");
    }
    return QAccessibleWidget::text(t);
}

int TColorDropPaletteAccessible::ChildIndexOf(TPaletteCell cell) {
    if (cell.Row == 0) {
        return kCellCount - 1;
    }
    if (cell.Column < 1 || cell.Column > TColorDropPalette::kColumns || cell.Row < 1 ||
        cell.Row > TColorDropPalette::kRows) {
        return -1;
    }
    return (cell.Row - 1) * TColorDropPalette::kColumns + (cell.Column - 1);
}

TPaletteCell TColorDropPaletteAccessible::CellOfChild(int index) {
    if (index == kCellCount - 1) {
        return {0, 0};
    }
    return {index % TColorDropPalette::kColumns + 1, index / TColorDropPalette::kColumns + 1};
}

int TColorDropPaletteAccessible::childCount() const {
    return kCellCount + QAccessibleWidget::childCount();
}

QAccessibleInterface* TColorDropPaletteAccessible::child(int index) const {
    if (index < 0) {
        return nullptr;
    }
    if (index >= kCellCount) {
        return QAccessibleWidget::child(index - kCellCount);
    }
    if (cells_.empty()) {
        for (int i = 0; i < kCellCount; ++i) {
            auto* cell = new TPaletteCellAccessible(Palette(), CellOfChild(i));
            cellIds_.push_back(QAccessible::registerAccessibleInterface(cell));
            cells_.push_back(cell);
        }
    }
    return cells_[static_cast<std::size_t>(index)];
}

int TColorDropPaletteAccessible::indexOfChild(const QAccessibleInterface* childInterface) const {
    for (std::size_t i = 0; i < cells_.size(); ++i) {
        if (cells_[i] == childInterface) {
            return static_cast<int>(i);
        }
    }
    const int widgetIndex = QAccessibleWidget::indexOfChild(childInterface);
    return widgetIndex < 0 ? -1 : widgetIndex + kCellCount;
}

QAccessibleInterface* TColorDropPaletteAccessible::focusChild() const {
    const int index = ChildIndexOf(Palette()->HotCell());
    return index < 0 ? nullptr : child(index);
}

QAccessibleInterface* TColorDropPaletteAccessible::childAt(int x, int y) const {
    const QPoint client = Palette()->mapFromGlobal(QPoint(x, y)) -
                          QPoint(TColorDropPalette::kFrameWidth, TColorDropPalette::kFrameWidth);
    const int index = ChildIndexOf(TColorDropPalette::CellAt(client));
    return index < 0 ? QAccessibleWidget::childAt(x, y) : child(index);
}

void NotifyPaletteCellFocus(TColorDropPalette* palette, TPaletteCell cell) {
    const int index = TColorDropPaletteAccessible::ChildIndexOf(cell);
    if (!AccessibleEventsHeard() || index < 0) {
        return;
    }
    QAccessibleEvent event(palette, QAccessible::Focus);
    event.setChild(index);
    SendAccessibleEvent(event);
}
