#include "platform/PictureChoiceDialog.h"

#include "platform/DialogTitleRoom.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr int kScales[] = {1, 2, 4};

} // namespace

TPictureChoiceDialog::TPictureChoiceDialog(const TPictureChoice& initial, QWidget* parent)
    : QDialog(parent), scales_(new QButtonGroup(this)), transparent_(new QCheckBox(this)),
      outlines_(new QCheckBox(this)) {
    setObjectName(QStringLiteral("PictureChoiceDialog"));
    setWindowTitle(tr("画像として保存"));

    auto* scaleBox = new QGroupBox(tr("倍率"), this);
    auto* scaleRow = new QHBoxLayout(scaleBox);
    for (const int scale : kScales) {
        auto* button = new QRadioButton(tr("%1倍").arg(scale), scaleBox);
        button->setObjectName(QStringLiteral("Scale%1").arg(scale));
        scales_->addButton(button, scale);
        scaleRow->addWidget(button);
        button->setChecked(scale == initial.Scale);
    }
    if (scales_->checkedButton() == nullptr) {
        scales_->button(1)->setChecked(true);
    }

    transparent_->setObjectName(QStringLiteral("Transparent"));
    transparent_->setText(tr("背景を透明にする"));
    transparent_->setChecked(initial.Transparent);
    outlines_->setObjectName(QStringLiteral("TextAsOutlines"));
    outlines_->setText(tr("文字をアウトラインにする（SVG）"));
    outlines_->setToolTip(tr("SVG の文字を図形にして、どの表示ソフトでも同じに見えるようにします"));
    outlines_->setChecked(initial.TextAsOutlines);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(scaleBox);
    layout->addWidget(transparent_);
    layout->addWidget(outlines_);
    layout->addWidget(buttons);
    scaleBox->setMinimumWidth(DialogTitleRoom(*this) - 2 * layout->contentsMargins().left());
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Tab goes as the eye reads: the chosen scale (arrows pick another), the check boxes, OK and
    // Cancel; the dialog opens on the chosen scale, so Space keeps it.
    QAbstractButton* chosen = scales_->checkedButton();
    QWidget* previous = chosen;
    for (QWidget* next : {static_cast<QWidget*>(transparent_), static_cast<QWidget*>(outlines_),
                          static_cast<QWidget*>(buttons->button(QDialogButtonBox::Ok)),
                          static_cast<QWidget*>(buttons->button(QDialogButtonBox::Cancel))}) {
        setTabOrder(previous, next);
        previous = next;
    }
    chosen->setFocus();
}

TPictureChoice TPictureChoiceDialog::Choice() const {
    return TPictureChoice{scales_->checkedId(), transparent_->isChecked(), outlines_->isChecked()};
}
