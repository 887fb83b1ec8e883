#pragma once

#include <QDialog>

class QSpinBox;

// The hue the rainbow starts at, in degrees round the OKLCH hue circle; every change is told at
// once, so that the preview follows while the dialog is open.
class TPhaseDialog final : public QDialog {
    Q_OBJECT

public:
    explicit TPhaseDialog(int degrees, QWidget* parent = nullptr);

    int Degrees() const;

    QSpinBox* SpPhase = nullptr;

signals:
    void PhaseChanged(int degrees);
};
