#include "controls/LineEditAccessible.h"

#include "controls/TextItems.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QValidator>

namespace {

// Qt's text interface reads -1 as the end of the text, -2 as the caret.
constexpr int kEndOffset = -1;
constexpr int kCaretOffset = -2;

} // namespace

TLineEditAccessible::TLineEditAccessible(QLineEdit* edit)
    : QAccessibleWidget(edit, QAccessible::EditableText) {}

QLineEdit* TLineEditAccessible::Edit() const {
    return static_cast<QLineEdit*>(widget());
}

bool TLineEditAccessible::Readable() const {
    return Edit()->echoMode() == QLineEdit::Normal;
}

int TLineEditAccessible::Resolved(int offset) const {
    if (offset == kCaretOffset) {
        return cursorPosition();
    }
    return offset == kEndOffset ? characterCount() : offset;
}

void* TLineEditAccessible::interface_cast(QAccessible::InterfaceType t) {
    if (t == QAccessible::TextInterface) {
        return static_cast<QAccessibleTextInterface*>(this);
    }
    if (t == QAccessible::EditableTextInterface) {
        return static_cast<QAccessibleEditableTextInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(t);
}

QString TLineEditAccessible::text(QAccessible::Text t) const {
    QString text;
    if (t == QAccessible::Value) {
        if (Readable()) {
            text = Edit()->text();
        } else if (Edit()->echoMode() != QLineEdit::NoEcho) {
            text = QString(Edit()->text().size(), u'*');
        }
    }
    if (text.isEmpty()) {
        text = QAccessibleWidget::text(t);
    }
    if (text.isEmpty() && t == QAccessible::Description) {
        text = Edit()->placeholderText();
    }
    return text;
}

void TLineEditAccessible::setText(QAccessible::Text t, const QString& text) {
    if (t != QAccessible::Value) {
        QAccessibleWidget::setText(t, text);
        return;
    }
    if (Edit()->isReadOnly()) {
        return;
    }
    QString newText = text;
    if (const QValidator* validator = Edit()->validator()) {
        int position = 0;
        if (validator->validate(newText, position) != QValidator::Acceptable) {
            return;
        }
    }
    Edit()->setText(newText);
}

QAccessible::State TLineEditAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    if (Edit()->isReadOnly()) {
        state.readOnly = true;
    } else {
        state.editable = true;
    }
    state.passwordEdit = !Readable();
    state.selectableText = true;
    return state;
}

void TLineEditAccessible::addSelection(int startOffset, int endOffset) {
    setSelection(0, startOffset, endOffset);
}

QString TLineEditAccessible::attributes(int offset, int* startOffset, int* endOffset) const {
    // A line edit has no text attributes.
    *startOffset = *endOffset = offset;
    return {};
}

int TLineEditAccessible::cursorPosition() const {
    return Edit()->cursorPosition();
}

QRect TLineEditAccessible::characterRect(int offset) const {
    const QString character = text(offset, offset + 1);
    if (character.isEmpty()) {
        return {};
    }
    // Measured from the caret, whose place the field reports.
    const QLineEdit* edit = Edit();
    const QFontMetrics metrics(edit->font());
    const QString shown = edit->text();
    const QRect caret = edit->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    const int x = caret.center().x() + metrics.horizontalAdvance(shown.left(offset)) -
                  metrics.horizontalAdvance(shown.left(edit->cursorPosition()));
    const QRect rect(x, caret.top(), metrics.horizontalAdvance(character), metrics.height());
    return QRect(edit->mapToGlobal(rect.topLeft()), rect.size());
}

int TLineEditAccessible::selectionCount() const {
    return Edit()->hasSelectedText() ? 1 : 0;
}

int TLineEditAccessible::offsetAtPoint(const QPoint& point) const {
    return Edit()->cursorPositionAt(Edit()->mapFromGlobal(point));
}

void TLineEditAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = 0;
    if (selectionIndex != 0 || !Edit()->hasSelectedText()) {
        return;
    }
    *startOffset = Edit()->selectionStart();
    *endOffset = Edit()->selectionEnd();
}

QString TLineEditAccessible::text(int startOffset, int endOffset) const {
    if (!Readable() || startOffset > endOffset) {
        return {};
    }
    return Edit()->text().mid(startOffset, endOffset - startOffset);
}

QString TLineEditAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                              int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = -1;
    if (!Readable()) {
        return {};
    }
    offset = Resolved(offset);
    if (IsItemBoundary(boundaryType)) {
        return ItemBefore(Edit()->text(), offset, boundaryType, startOffset, endOffset);
    }
    return QAccessibleTextInterface::textBeforeOffset(offset, boundaryType, startOffset, endOffset);
}

QString TLineEditAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                             int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = -1;
    if (!Readable()) {
        return {};
    }
    offset = Resolved(offset);
    if (IsItemBoundary(boundaryType)) {
        return ItemAfter(Edit()->text(), offset, boundaryType, startOffset, endOffset);
    }
    return QAccessibleTextInterface::textAfterOffset(offset, boundaryType, startOffset, endOffset);
}

QString TLineEditAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                          int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = -1;
    if (!Readable()) {
        return {};
    }
    offset = Resolved(offset);
    if (IsItemBoundary(boundaryType)) {
        return ItemAt(Edit()->text(), offset, boundaryType, startOffset, endOffset);
    }
    return QAccessibleTextInterface::textAtOffset(offset, boundaryType, startOffset, endOffset);
}

void TLineEditAccessible::removeSelection(int selectionIndex) {
    if (selectionIndex == 0) {
        Edit()->deselect();
    }
}

void TLineEditAccessible::setCursorPosition(int position) {
    Edit()->setCursorPosition(position);
}

void TLineEditAccessible::setSelection(int selectionIndex, int startOffset, int endOffset) {
    if (selectionIndex == 0) {
        Edit()->setSelection(startOffset, endOffset - startOffset);
    }
}

int TLineEditAccessible::characterCount() const {
    return static_cast<int>(Edit()->text().size());
}

void TLineEditAccessible::scrollToSubstring(int startIndex, int endIndex) {
    Edit()->setCursorPosition(endIndex);
    Edit()->setCursorPosition(startIndex);
}

void TLineEditAccessible::deleteText(int startOffset, int endOffset) {
    if (!Edit()->isReadOnly()) {
        Edit()->setText(Edit()->text().remove(startOffset, endOffset - startOffset));
    }
}

void TLineEditAccessible::insertText(int offset, const QString& text) {
    if (!Edit()->isReadOnly()) {
        Edit()->setText(Edit()->text().insert(offset, text));
        Edit()->setCursorPosition(offset + static_cast<int>(text.size()));
    }
}

void TLineEditAccessible::replaceText(int startOffset, int endOffset, const QString& text) {
    if (!Edit()->isReadOnly()) {
        Edit()->setText(Edit()->text().replace(startOffset, endOffset - startOffset, text));
    }
}
