#include "controls/FontCombo.h"

#include "controls/ControlResources.h"
#include "controls/GlyphImageConvert.h"
#include "controls/SystemFontSource.h"
#include "platform/InkOnFace.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QSet>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QStyledItemDelegate>

#include <algorithm>
#include <exception>
#include <vector>

namespace {

constexpr int kFontTypeRole = Qt::UserRole;

// Lets the box draw every item of its drop-down list itself.
class TFontItemDelegate final : public QStyledItemDelegate {
public:
    explicit TFontItemDelegate(TFontComboBox* box) : QStyledItemDelegate(box), box_(box) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        painter->save();
        box_->DrawItem(*painter, index.row(), option.rect, option.state.testFlag(QStyle::State_Selected));
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width() + 26, box_->ItemHeight()};
    }

private:
    TFontComboBox* box_;
};

// The icon with the colour of its bottom-left pixel left out.
QImage LoadIcon(const char* path) {
    const TGlyphImage icon = GlyphImageFromQImage(LoadResourceBitmap(QString::fromLatin1(path)));
    return MaskedQImage(icon, icon.Pixel(0, icon.Height() - 1));
}

} // namespace

bool AcceptFont(const TFontFace& face, TFontListOptions options) {
    bool accepted = true;
    if (options.Contains(foAnsiOnly)) {
        accepted = accepted && face.CharSet == kAnsiCharSet;
    }
    if (options.Contains(foTrueTypeOnly)) {
        accepted = accepted && (face.FontType & kTrueTypeFontType) != 0;
    }
    if (options.Contains(foFixedPitchOnly)) {
        accepted = accepted && (face.PitchAndFamily & kFixedPitch) != 0;
    }
    if (options.Contains(foOEMFontsOnly)) {
        accepted = accepted && face.CharSet == kOemCharSet;
    }
    if (options.Contains(foNoOEMFonts)) {
        accepted = accepted && face.CharSet != kOemCharSet;
    }
    if (options.Contains(foScalableOnly)) {
        accepted = accepted && (face.FontType & kRasterFontType) == 0;
    }
    return accepted;
}

TFontComboBox::TFontComboBox(QWidget* parent)
    : TFontComboBox(std::make_unique<TSystemFontSource>(), parent) {}

TFontComboBox::TFontComboBox(std::unique_ptr<TFontSource> source, QWidget* parent)
    : QComboBox(parent), source_(std::move(source)), trueTypeIcon_(LoadIcon(kTrueTypeFontIconPath)),
      deviceIcon_(LoadIcon(kDeviceFontIconPath)) {
    setEditable(false);
    setItemDelegate(new TFontItemDelegate(this));
    connect(this, &QComboBox::activated, this, [this] {
        emit clicked(this);
        Change();
    });
    connect(qGuiApp, &QGuiApplication::fontDatabaseChanged, this, &TFontComboBox::RefreshFontList);
    UpdateItemHeight();
    FillFontList();
}

TFontComboBox::~TFontComboBox() = default;

void TFontComboBox::SetDevice(TFontDevice value) {
    if (value != device_) {
        device_ = value;
        RefreshFontList();
    }
}

void TFontComboBox::SetOptions(TFontListOptions value) {
    if (value != options_) {
        options_ = value;
        RefreshFontList();
    }
}

void TFontComboBox::SetTrueTypeOnly(bool value) {
    if (value != TrueTypeOnly()) {
        options_ = value ? options_.With(foTrueTypeOnly) : options_.Without(foTrueTypeOnly);
        RefreshFontList();
    }
}

QString TFontComboBox::FontName() const {
    return currentIndex() >= 0 ? itemText(currentIndex()) : QString();
}

void TFontComboBox::SetFontName(const QString& name) {
    if (name == FontName()) {
        return;
    }
    const QLocale locale;
    const QString wanted = locale.toUpper(name);
    int found = -1;
    for (int i = 0; i < count(); ++i) {
        if (locale.toUpper(itemText(i)) == wanted) {
            found = i;
            break;
        }
    }
    setCurrentIndex(found);
    Change();
}

void TFontComboBox::RefreshFontList() {
    updating_ = true;
    const QString remembered = FontName();
    const auto finish = [&] {
        updating_ = false;
        if (FontName() != remembered) {
            Change();
        }
    };
    try {
        FillFontList();
        SetFontName(remembered);
    } catch (...) {
        finish();
        throw;
    }
    finish();
}

void TFontComboBox::FillFontList() {
    clear();
    std::vector<TFontFace> listed;
    QSet<QString> names; // case-folded, as the list looks names up without regard to case
    const auto take = [&](const std::vector<TFontFace>& faces) {
        for (const TFontFace& face : faces) {
            const QString key = face.Name.toCaseFolded();
            if (!names.contains(key) && AcceptFont(face, options_)) {
                names.insert(key);
                listed.push_back(face);
            }
        }
    };
    if (device_ == fdScreen || device_ == fdBoth) {
        take(source_->ScreenFaces());
    }
    if (device_ == fdPrinter || device_ == fdBoth) {
        try {
            take(source_->PrinterFaces());
        } catch (const std::exception&) {
            // No printer, or it cannot be asked: the list keeps the screen's faces.
        }
    }
    std::stable_sort(listed.begin(), listed.end(), [](const TFontFace& a, const TFontFace& b) {
        return QString::compare(a.Name, b.Name, Qt::CaseInsensitive) < 0;
    });
    for (const TFontFace& face : listed) {
        addItem(face.Name, face.FontType);
    }
    setCurrentIndex(-1);
}

void TFontComboBox::Change() {
    if (!updating_) {
        emit changed(this);
    }
}

void TFontComboBox::UpdateItemHeight() {
    const int fontHeight = QFontMetrics(font()).height() + 1;
    const int iconHeight = trueTypeIcon_.height() - 1;
    const int height = std::max({fontHeight, iconHeight, 9});
    if (height != itemHeight_) {
        itemHeight_ = height;
        if (view() != nullptr) {
            view()->doItemsLayout();
        }
    }
}

int TFontComboBox::FontTypeOf(int index) const {
    if (index < 0 || index >= count()) {
        return 0;
    }
    return itemData(index, kFontTypeRole).toInt();
}

void TFontComboBox::DrawItem(QPainter& painter, int index, const QRect& rect, bool selected) const {
    const QPalette& colors = palette();
    painter.fillRect(rect, colors.color(QPalette::Active, selected ? QPalette::Highlight : QPalette::Base));
    int iconSpace = 20;
    const int flags = FontTypeOf(index);
    const QImage* icon = (flags & kTrueTypeFontType) != 0 ? &trueTypeIcon_
                         : (flags & kDeviceFontType) != 0 ? &deviceIcon_
                                                          : nullptr;
    if (icon != nullptr && !icon->isNull()) {
        iconSpace = icon->width();
        const int bottom = rect.top() + rect.height(); // exclusive
        const QPoint at(rect.left() + 2, (rect.top() + bottom - icon->height()) / 2);
        if (IsDarkFace(colors.color(QPalette::Active, QPalette::Base),
                       colors.color(QPalette::Active, QPalette::Text))) {
            // A dark scheme: the icons' black ink takes the item's text colour.
            painter.drawImage(
                at,
                InkOnFace(
                    *icon, colors.color(QPalette::Active, selected ? QPalette::Highlight : QPalette::Base),
                    colors.color(QPalette::Active, selected ? QPalette::HighlightedText : QPalette::Text)));
        } else {
            painter.drawImage(at, *icon);
        }
    }
    QRect textRect = rect;
    textRect.setLeft(rect.left() + iconSpace + 6);
    painter.setFont(font());
    painter.setPen(colors.color(QPalette::Active, selected ? QPalette::HighlightedText : QPalette::Text));
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, itemText(index));
}

void TFontComboBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    if (currentIndex() >= 0) {
        const QRect field =
            style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
        DrawItem(painter, currentIndex(), field, hasFocus());
    }
}

void TFontComboBox::changeEvent(QEvent* event) {
    QComboBox::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        UpdateItemHeight();
    }
}
