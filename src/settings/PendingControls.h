#pragma once
// TEMPORARY stand-ins until the controls and colour picker branches land. Removed then.

#include "engine/Color.h"

#include <QComboBox>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QWidget>

#include <vector>

class TTransparentButton : public QWidget {
    Q_OBJECT
public:
    explicit TTransparentButton(QWidget* parent = nullptr) : QWidget(parent) {}
    QString Caption() const { return caption_; }
    void SetCaption(const QString& c) {
        caption_ = c;
        update();
    }
    bool Down() const { return down_; }
    void SetDown(bool d) {
        if (d != down_) {
            down_ = d;
            update();
        }
    }
    int Tag() const { return tag_; }
    void SetTag(int t) { tag_ = t; }
    void SetPopUpMenu(QMenu* m) { menu_ = m; }
signals:
    void clicked(TTransparentButton* sender);
    void mouseDown(TTransparentButton* sender, Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x,
                   int y);

protected:
    void mousePressEvent(QMouseEvent* e) override {
        emit mouseDown(this, e->button(), e->modifiers(), 0, 0);
        if (menu_)
            menu_->popup(mapToGlobal(QPoint(0, height())));
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
            emit clicked(this);
    }
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        if (down_)
            p.fillRect(rect(), Qt::gray);
        p.drawText(rect(), Qt::AlignCenter, caption_);
    }

private:
    QString caption_;
    bool down_ = false;
    int tag_ = 0;
    QMenu* menu_ = nullptr;
};

class TColorDropButton : public QPushButton {
    Q_OBJECT
public:
    explicit TColorDropButton(QWidget* parent = nullptr) : QPushButton(parent), custom_(16, clWhite) {}
    TColor Color() const { return color_; }
    void SetColor(TColor c) {
        if (c != color_) {
            color_ = c;
            update();
            emit ColorChange();
        }
    }
    std::vector<TColor> CustomColors() const { return custom_; }
    void SetCustomColors(const std::vector<TColor>& c) { custom_ = c; }
signals:
    void ColorChange();

private:
    TColor color_ = 0;
    std::vector<TColor> custom_;
};

class TFontComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit TFontComboBox(QWidget* parent = nullptr) : QComboBox(parent) {
        addItems(
            {QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"), QStringLiteral("DejaVu Sans")});
        setCurrentIndex(-1);
        connect(this, &QComboBox::activated, this, [this] { emit Change(); });
    }
    QString FontName() const { return currentIndex() < 0 ? QString() : currentText(); }
    void SetFontName(const QString& n) {
        if (n == FontName())
            return;
        setCurrentIndex(findText(n, Qt::MatchFixedString));
        emit Change();
    }
signals:
    void Change();
};
