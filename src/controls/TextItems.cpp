#include "controls/TextItems.h"

#include <QTextBoundaryFinder>

#include <algorithm>
#include <vector>

namespace {

// The item boundaries of `text` as Qt's base text interface finds them (the positions where a
// word or sentence starts or ends), with 0 and the end of the text. Found walking forwards only,
// so the search always ends.
std::vector<int> ItemBoundaries(const QString& text, QAccessible::TextBoundaryType type) {
    QTextBoundaryFinder finder(
        type == QAccessible::WordBoundary ? QTextBoundaryFinder::Word : QTextBoundaryFinder::Sentence, text);
    std::vector<int> boundaries{0};
    for (qsizetype position = finder.toNextBoundary(); position > boundaries.back();
         position = finder.toNextBoundary()) {
        if (position == text.size() || (finder.boundaryReasons() & (QTextBoundaryFinder::StartOfItem |
                                                                    QTextBoundaryFinder::EndOfItem))) {
            boundaries.push_back(static_cast<int>(position));
        }
    }
    if (boundaries.back() != text.size()) {
        boundaries.push_back(static_cast<int>(text.size()));
    }
    return boundaries;
}

// The piece of `text` between two boundaries; none (-1, -1) for an empty range.
QString Piece(const QString& text, int start, int end, int* startOffset, int* endOffset) {
    if (start < 0 || end <= start) {
        *startOffset = *endOffset = -1;
        return {};
    }
    *startOffset = start;
    *endOffset = end;
    return text.mid(start, end - start);
}

} // namespace

bool IsItemBoundary(QAccessible::TextBoundaryType type) {
    return type == QAccessible::WordBoundary || type == QAccessible::SentenceBoundary;
}

QString ItemBefore(const QString& text, int offset, QAccessible::TextBoundaryType type, int* startOffset,
                   int* endOffset) {
    *startOffset = *endOffset = -1;
    if (offset <= 0 || offset > text.size()) {
        return {};
    }
    // The piece that ends at the last boundary up to the offset.
    const std::vector<int> boundaries = ItemBoundaries(text, type);
    const auto end = std::upper_bound(boundaries.begin(), boundaries.end(), offset) - 1;
    return end == boundaries.begin() ? QString() : Piece(text, *(end - 1), *end, startOffset, endOffset);
}

QString ItemAfter(const QString& text, int offset, QAccessible::TextBoundaryType type, int* startOffset,
                  int* endOffset) {
    *startOffset = *endOffset = -1;
    if (offset < 0 || offset >= text.size()) {
        return {};
    }
    // The piece that starts at the first boundary after the offset.
    const std::vector<int> boundaries = ItemBoundaries(text, type);
    const auto start = std::upper_bound(boundaries.begin(), boundaries.end(), offset);
    if (start == boundaries.end() || start + 1 == boundaries.end()) {
        return {};
    }
    return Piece(text, *start, *(start + 1), startOffset, endOffset);
}

QString ItemAt(const QString& text, int offset, QAccessible::TextBoundaryType type, int* startOffset,
               int* endOffset) {
    *startOffset = *endOffset = -1;
    if (offset < 0 || offset > text.size() || text.isEmpty()) {
        return {};
    }
    // The piece around the offset; at the end of the text (the caret's usual place) the last one.
    const std::vector<int> boundaries = ItemBoundaries(text, type);
    auto start = std::upper_bound(boundaries.begin(), boundaries.end(), offset) - 1;
    if (start + 1 == boundaries.end()) {
        --start;
    }
    return Piece(text, *start, *(start + 1), startOffset, endOffset);
}
