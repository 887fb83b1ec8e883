#pragma once

#include <QAccessibleWidget>

class QLineEdit;

// What assistive tools learn of a one-line text field, as Qt's own line edit interface tells it,
// except that words and sentences are found here: Qt 6.4's text interface never returns from the
// word or sentence at the end of the text (where the caret usually stands), nor from some inside
// it. At the end it gives the last word or sentence, past the end nothing. Qt's line edit
// interface is not exported, so the rest is built on QLineEdit's public functions and, for
// characters, lines and the whole text, on Qt's base text interface.
class TLineEditAccessible final : public QAccessibleWidget,
                                  public QAccessibleTextInterface,
                                  public QAccessibleEditableTextInterface {
public:
    explicit TLineEditAccessible(QLineEdit* edit);

    void* interface_cast(QAccessible::InterfaceType t) override;
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text t, const QString& text) override;
    QAccessible::State state() const override;

    // QAccessibleTextInterface
    void addSelection(int startOffset, int endOffset) override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;
    int cursorPosition() const override;
    QRect characterRect(int offset) const override;
    int selectionCount() const override;
    int offsetAtPoint(const QPoint& point) const override;
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    QString text(int startOffset, int endOffset) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                             int* endOffset) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                            int* endOffset) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                         int* endOffset) const override;
    void removeSelection(int selectionIndex) override;
    void setCursorPosition(int position) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int characterCount() const override;
    void scrollToSubstring(int startIndex, int endIndex) override;

    // QAccessibleEditableTextInterface
    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString& text) override;
    void replaceText(int startOffset, int endOffset, const QString& text) override;

private:
    QLineEdit* Edit() const;
    // Whether the text may be read out (not a password or hidden entry).
    bool Readable() const;
    // -2 stands for the caret, -1 for the end of the text.
    int Resolved(int offset) const;
};
