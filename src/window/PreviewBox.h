#pragma once

#include <QWidget>

#include <functional>

class QPainter;

// The preview area. It keeps nothing of its own: every paint hands a painter to the window,
// whose refresh draws the text and rebuilds the HTML.
class TPreviewBox final : public QWidget {
    Q_OBJECT

public:
    explicit TPreviewBox(QWidget* parent = nullptr);

    std::function<void(QPainter&)> OnPaint;

protected:
    void paintEvent(QPaintEvent* event) override;
};
