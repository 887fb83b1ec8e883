#pragma once

#include "engine/jstrm.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The units of a text: each one gets one colour and one font tag. The text is code page 932
// bytes; where CP932 holds what the user typed, every character is a unit, one byte or two after
// a lead byte, exactly as ever. A grapheme cluster (a user-perceived character) that holds a code
// point CP932 cannot hold is one unit of its own: the text carries it in its written form, the
// CP932 bytes of the code points CP932 holds and "&#N;" for each other one, and a cluster table
// says where it stands and keeps its UTF-8 for the outputs and the preview that draw it.

// One unit as the outputs and the preview take it.
struct TTextUnit {
    // As code page 932 output writes it: a character's one or two bytes, or a cluster's written form.
    std::string_view Bytes;
    // A cluster's UTF-8; empty for a character that CP932 holds.
    std::string_view Utf8;

    bool IsCluster() const { return !Utf8.empty(); }
};

// Where one cluster stands in the text and where its UTF-8 stands in the table.
struct TClusterUnit {
    std::size_t Offset = 0; // byte offset of its written form in the text
    std::size_t Length = 0; // bytes of its written form
    std::size_t Utf8Offset = 0;
    std::size_t Utf8Length = 0;

    friend bool operator==(const TClusterUnit&, const TClusterUnit&) = default;
};

// The clusters of one text, in the order of the text. Empty when CP932 holds the whole text.
struct TClusterTable {
    std::vector<TClusterUnit> Units;
    std::string Utf8;   // every cluster's UTF-8, one after the other
    int References = 0; // code points written as "&#N;"

    bool Empty() const { return Units.empty(); }
    TTextUnit Unit(std::string_view text, const TClusterUnit& cluster) const {
        return {text.substr(cluster.Offset, cluster.Length),
                std::string_view(Utf8).substr(cluster.Utf8Offset, cluster.Utf8Length)};
    }

    friend bool operator==(const TClusterTable&, const TClusterTable&) = default;
};

// The table of a text that CP932 holds whole. The page's standard library (libc++ 14) cannot
// make an empty vector at compile time, so there it is made at start-up; only functions read it,
// never the initialiser of another static.
// NOLINTNEXTLINE(bugprone-dynamic-static-initializers)
inline const TClusterTable kNoClusters{};

// Walks the units of `text` from the first. The table must describe this text: each cluster
// starts where a character would start.
class TUnitWalk {
public:
    TUnitWalk(std::string_view text, const TClusterTable& clusters)
        : text_(text), clusters_(clusters), next_(clusters.Units.data()),
          end_(clusters.Units.data() + clusters.Units.size()) {}

    bool AtEnd() const { return offset_ >= text_.size(); }
    // The text walked.
    std::string_view Text() const { return text_; }
    // The byte offset of the next unit.
    std::size_t Offset() const { return offset_; }

    // Whether a cluster of the table lies ahead.
    bool ClusterAhead() const { return next_ != end_; }
    // Moves to `offset`, where a later unit starts, when no cluster lies ahead.
    void MoveTo(std::size_t offset) { offset_ = offset; }
    // The unit of a cluster of the table.
    TTextUnit Cluster(const TClusterUnit& cluster) const { return clusters_.Unit(text_, cluster); }

    // The next unit; only while not at the end.
    TTextUnit Next() {
        const std::size_t start = offset_;
        if (const TClusterUnit* cluster = Step()) {
            return clusters_.Unit(text_, *cluster);
        }
        return {text_.substr(start, offset_ - start), {}};
    }

    // Moves past the next unit, only while not at the end: its bytes run from the offset before
    // to the offset after. Returns its table entry when it is a cluster, else nullptr. (Loops
    // over long texts take this: no unit is put together for a CP932 character.)
    const TClusterUnit* Step() {
        if (next_ != end_ && next_->Offset == offset_) {
            offset_ += next_->Length;
            return next_++;
        }
        offset_ += CharLengthAt(text_, offset_);
        return nullptr;
    }

private:
    std::string_view text_;
    const TClusterTable& clusters_;
    const TClusterUnit* next_;
    const TClusterUnit* end_;
    std::size_t offset_ = 0;
};

// The number of units; CharCount when the table is empty.
int UnitCount(std::string_view text, const TClusterTable& clusters);
