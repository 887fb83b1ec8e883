#pragma once

#include <QAccessible>
#include <QString>

// The words and sentences of a text as screen readers ask for them, cut where Qt's base text
// interface cuts them (from one position where an item starts or ends to the next), but found
// walking forwards only: Qt 6.4's own search does not always end (at the end of a text, and at
// some offsets inside it). Each gives the piece and its offsets, or nothing with (-1, -1).
bool IsItemBoundary(QAccessible::TextBoundaryType type); // words and sentences

// The piece before the one at `offset`.
QString ItemBefore(const QString& text, int offset, QAccessible::TextBoundaryType type, int* startOffset,
                   int* endOffset);
// The piece after the one at `offset`.
QString ItemAfter(const QString& text, int offset, QAccessible::TextBoundaryType type, int* startOffset,
                  int* endOffset);
// The piece at `offset`; at the end of the text (where the caret usually stands) the last one,
// past the end nothing.
QString ItemAt(const QString& text, int offset, QAccessible::TextBoundaryType type, int* startOffset,
               int* endOffset);
