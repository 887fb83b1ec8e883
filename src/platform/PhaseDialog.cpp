#include "platform/PhaseDialog.h"

#include "platform/OkCancelLayout.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>

TPhaseDialog::TPhaseDialog(int degrees, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("PhaseDialog"));
    setWindowTitle(tr("虹色の始まり"));
    SpPhase = new QSpinBox(this);
    SpPhase->setObjectName(QStringLiteral("SpPhase"));
    SpPhase->setRange(0, 359);
    SpPhase->setWrapping(true); // round the circle
    SpPhase->setSingleStep(15);
    SpPhase->setSuffix(QStringLiteral("°"));
    SpPhase->setValue(((degrees % 360) + 360) % 360);
    SpPhase->setAccessibleName(tr("始まりの色相（度）"));
    SpPhase->setToolTip(tr("OKLCHの色相環の何度から虹色を始めるか（0〜359°）"));
    auto* label = new QLabel(tr("始まりの色相(&H):"), this);
    label->setBuddy(SpPhase);
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(SpPhase);
    LayOutAboveOkCancel(*this, row);
    connect(SpPhase, &QSpinBox::valueChanged, this, &TPhaseDialog::PhaseChanged);
}

int TPhaseDialog::Degrees() const {
    return SpPhase->value();
}
