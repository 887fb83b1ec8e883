#include "platform/StopsEditor.h"

#include "platform/ColorDialogService.h"
#include "platform/OkCancelLayout.h"

#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include <QSignalBlocker>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>

namespace {

QColor QtColor(TColor color) {
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}

// The gradient of `stops` as the engine colours it, one pixel a character, for the strip above
// the list.
QPixmap GradientStrip(const std::vector<TColorStop>& stops, int width, int height) {
    QPixmap strip(width, height);
    QPainter painter(&strip);
    TGradient gradient;
    gradient.Stops = stops;
    for (int x = 0; x < width; ++x) {
        painter.setPen(QtColor(GradientColor(gradient, x + 1, width)));
        painter.drawLine(x, 0, x, height - 1);
    }
    return strip;
}

// The stop halfway between `from` and `to`: their colour mixed half and half, at the position
// between theirs when both are given (else spread evenly, which also puts it between them).
TColorStop Halfway(const TColorStop& from, const TColorStop& to) {
    TGradient pair;
    pair.Stops = {{from.Color, -1}, {to.Color, -1}};
    const double position = from.Position >= 0 && to.Position >= 0 ? (from.Position + to.Position) / 2 : -1;
    return {GradientColor(pair, 2, 3), position};
}

} // namespace

TStopsEditor::TStopsEditor(std::vector<TColorStop> stops, TColorDialogService& colorDialog, QWidget* parent)
    : QDialog(parent), stops_(std::move(stops)), colorDialog_(colorDialog) {
    setObjectName(QStringLiteral("StopsEditor"));
    setWindowTitle(tr("グラデーションの色"));
    List = new QListWidget(this);
    List->setObjectName(QStringLiteral("List"));
    BtnAdd = new QPushButton(tr("追加(&A)"), this);
    BtnRemove = new QPushButton(tr("削除(&R)"), this);
    BtnUp = new QPushButton(tr("上へ(&U)"), this);
    BtnDown = new QPushButton(tr("下へ(&D)"), this);
    BtnColor = new QPushButton(tr("色…(&C)"), this);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {BtnColor, BtnAdd, BtnRemove, BtnUp, BtnDown}) {
        buttons->addWidget(button);
    }
    buttons->addStretch();
    // The position: stepped by whole percents, typed to a tenth; "auto" below 0.
    SpPosition = new QDoubleSpinBox(this);
    SpPosition->setObjectName(QStringLiteral("SpPosition"));
    SpPosition->setRange(-1, 100);
    SpPosition->setDecimals(1);
    SpPosition->setSuffix(QStringLiteral(" %"));
    SpPosition->setSpecialValueText(tr("自動"));
    SpPosition->setKeyboardTracking(false);
    SpPosition->setAccessibleName(tr("位置（パーセント）"));
    SpPosition->setToolTip(tr("選んだ色の、テキストの先頭からの位置。自動では前後の色の間に均等に並びます"));
    auto* positionLabel = new QLabel(tr("位置(&P):"), this);
    positionLabel->setBuddy(SpPosition);
    auto* position = new QHBoxLayout;
    position->addWidget(positionLabel);
    position->addWidget(SpPosition);
    position->addStretch();
    Strip = new QLabel(this);
    Strip->setObjectName(QStringLiteral("Strip"));
    Strip->setAccessibleName(tr("グラデーションの見本"));
    auto* listAndPosition = new QVBoxLayout;
    listAndPosition->addWidget(Strip);
    listAndPosition->addWidget(List);
    listAndPosition->addLayout(position);
    auto* row = new QHBoxLayout;
    row->addLayout(listAndPosition);
    row->addLayout(buttons);
    LayOutAboveOkCancel(*this, row);
    connect(BtnAdd, &QPushButton::clicked, this, &TStopsEditor::AddStop);
    connect(BtnRemove, &QPushButton::clicked, this, &TStopsEditor::RemoveStop);
    connect(BtnUp, &QPushButton::clicked, this, [this] { MoveStop(-1); });
    connect(BtnDown, &QPushButton::clicked, this, [this] { MoveStop(1); });
    connect(BtnColor, &QPushButton::clicked, this, &TStopsEditor::ChooseColor);
    connect(List, &QListWidget::itemDoubleClicked, this, &TStopsEditor::ChooseColor);
    connect(List, &QListWidget::currentRowChanged, this, &TStopsEditor::ShowPosition);
    connect(SpPosition, &QDoubleSpinBox::valueChanged, this, &TStopsEditor::SetPosition);
    Show(0);
}

int TStopsEditor::Selected() const {
    return List->currentRow();
}

void TStopsEditor::Show(int selected) {
    List->clear();
    for (const TColorStop& stop : stops_) {
        QPixmap swatch(16, 16);
        swatch.fill(QtColor(stop.Color));
        QString caption = QString::fromStdString(SplitColor(stop.Color).Hex);
        if (stop.Position >= 0) {
            caption += QStringLiteral("  %1%").arg(std::round(stop.Position * 1000) / 10);
        }
        List->addItem(new QListWidgetItem(QIcon(swatch), caption));
    }
    Strip->setPixmap(GradientStrip(stops_, kStripWidth, kStripHeight));
    List->setCurrentRow(std::clamp(selected, 0, static_cast<int>(stops_.size()) - 1));
    BtnAdd->setEnabled(stops_.size() < kMaxColorStops);
    BtnRemove->setEnabled(stops_.size() > kMinColorStops);
    ShowPosition();
}

void TStopsEditor::ShowPosition() {
    const int at = Selected();
    const QSignalBlocker quiet(SpPosition);
    SpPosition->setEnabled(at >= 0);
    SpPosition->setValue(at >= 0 && stops_[static_cast<std::size_t>(at)].Position >= 0
                             ? stops_[static_cast<std::size_t>(at)].Position * 100
                             : -1);
}

void TStopsEditor::SetPosition(double percent) {
    const int at = Selected();
    if (at < 0) {
        return;
    }
    const auto k = static_cast<std::size_t>(at);
    double position = -1;
    if (percent >= 0) {
        // Between the given positions before and after it, so that none falls.
        double low = 0;
        double high = 1;
        for (std::size_t other = 0; other < stops_.size(); ++other) {
            const double given = stops_[other].Position;
            if (given >= 0 && other < k) {
                low = std::max(low, given);
            } else if (given >= 0 && other > k) {
                high = std::min(high, given);
            }
        }
        position = std::clamp(std::round(percent * 10) / 1000, low, std::max(low, high));
    }
    stops_[k].Position = position;
    Show(at);
}

void TStopsEditor::AddStop() {
    const int at = std::max(Selected(), 0);
    if (stops_.size() >= kMaxColorStops) {
        return;
    }
    // After the selected stop, halfway to the next; after the last, halfway from the one before.
    const auto first = static_cast<std::size_t>(std::min(at, static_cast<int>(stops_.size()) - 2));
    stops_.insert(stops_.begin() + static_cast<std::ptrdiff_t>(first) + 1,
                  Halfway(stops_[first], stops_[first + 1]));
    Show(static_cast<int>(first) + 1);
}

void TStopsEditor::RemoveStop() {
    const int at = Selected();
    if (at < 0 || stops_.size() <= kMinColorStops) {
        return;
    }
    stops_.erase(stops_.begin() + at);
    Show(at);
}

void TStopsEditor::MoveStop(int by) {
    const int at = Selected();
    const int to = at + by;
    if (at < 0 || to < 0 || to >= static_cast<int>(stops_.size())) {
        return;
    }
    // The colours change places; the positions stay where they are.
    std::swap(stops_[static_cast<std::size_t>(at)].Color, stops_[static_cast<std::size_t>(to)].Color);
    Show(to);
}

void TStopsEditor::ChooseColor() {
    const int at = Selected();
    if (at < 0) {
        return;
    }
    TColorDialogData choice;
    choice.Color = stops_[static_cast<std::size_t>(at)].Color;
    if (colorDialog_.ExecuteColorDialog(this, choice)) {
        stops_[static_cast<std::size_t>(at)].Color = choice.Color & 0xFFFFFF;
        Show(at);
    }
}
