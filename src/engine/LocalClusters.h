#pragma once

#include "engine/GraphemeClusters.h"

#include <cstddef>
#include <optional>
#include <string_view>
#include <utility>

// The grapheme clusters around chosen offsets of a long UTF-8 text, found by breaking only a
// stretch of the text around each: the breaker looks ahead and behind far beyond one cluster,
// which costs more than the cluster itself on a line with a few emoji among words. A stretch
// starts and ends between two ASCII characters (other than CR LF), where every break rule puts a
// boundary whatever comes before, so its clusters are those of the whole text. The text must
// stay alive and be well-formed UTF-8.
class TLocalClusters {
public:
    explicit TLocalClusters(std::string_view utf8) : text_(utf8) {}

    // As TGraphemeClusters::Around on the whole text; quickest when the offsets are asked in
    // increasing order.
    std::pair<std::size_t, std::size_t> Around(std::size_t offset);

    // Whether every break rule puts a boundary at `offset` of `utf8` whatever stands around it.
    static bool AlwaysBoundary(std::string_view utf8, std::size_t offset);

private:
    std::string_view text_;
    std::size_t start_ = 0; // of the stretch being broken
    std::size_t end_ = 0;
    std::size_t clusterStart_ = 0; // the last cluster found, in the stretch
    std::size_t clusterEnd_ = 0;
    std::optional<TGraphemeClusters> stretch_;
};
