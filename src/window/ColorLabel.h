#pragma once

#include <QLabel>

// A colour label: shows the six hexadecimal digits of a colour and reports every mouse press
// (the window remembers the digits and opens the copy menu on a right press). Digits wider than
// the label (the Japanese stand-in fonts run a little wider than the Windows face) are drawn
// narrower instead of being cut off.
class TColorLabel final : public QLabel {
    Q_OBJECT

public:
    explicit TColorLabel(QWidget* parent = nullptr);

signals:
    void mouseDown(TColorLabel* sender, Qt::MouseButton button);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};
