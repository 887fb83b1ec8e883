#pragma once

#include <cstddef>
#include <memory>
#include <string_view>
#include <utility>

// The extended grapheme clusters (user-perceived characters) of a UTF-8 text, as ICU's character
// break rules find them (in the page: the browser's Intl.Segmenter, see web/engine). The text
// must stay alive and be well-formed UTF-8 (see Utf8.h).
class TGraphemeClusters {
public:
    // Throws std::runtime_error when ICU cannot open its rules, std::length_error for a text
    // of 2 GiB or more.
    explicit TGraphemeClusters(std::string_view utf8);
    ~TGraphemeClusters();
    TGraphemeClusters(const TGraphemeClusters&) = delete;
    TGraphemeClusters& operator=(const TGraphemeClusters&) = delete;

    static constexpr std::size_t kEnd = static_cast<std::size_t>(-1);

    // The byte offset where the next cluster ends, or kEnd after the last one.
    std::size_t Next();
    // The cluster that holds the byte at `offset` (where a character starts): the byte offsets
    // of its start and its end. Not to be mixed with Next().
    std::pair<std::size_t, std::size_t> Around(std::size_t offset);

private:
    struct TImpl;
    std::unique_ptr<TImpl> impl_;
};
