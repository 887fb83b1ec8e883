#include "engine/LocalClusters.h"

bool TLocalClusters::AlwaysBoundary(std::string_view utf8, std::size_t offset) {
    if (offset == 0 || offset >= utf8.size()) {
        return true;
    }
    const auto before = static_cast<unsigned char>(utf8[offset - 1]);
    const auto after = static_cast<unsigned char>(utf8[offset]);
    // No rule joins an ASCII character to the next one but CR LF: none of them extends, prepends,
    // joins emoji or pairs as regional indicators.
    return before < 0x80 && after < 0x80 && !(before == '\r' && after == '\n');
}

std::pair<std::size_t, std::size_t> TLocalClusters::Around(std::size_t offset) {
    if (!stretch_ || offset < start_ + clusterStart_ || offset >= end_) {
#if defined(__EMSCRIPTEN__)
        // The browser segments a whole text again only where it changed since the last one, as
        // the page's text changes a key at a time; stretches would each be segmented anew.
        start_ = 0;
        end_ = text_.size();
#else
        start_ = offset;
        while (!AlwaysBoundary(text_, start_)) {
            --start_;
        }
        end_ = offset + 1;
        while (!AlwaysBoundary(text_, end_)) {
            ++end_;
        }
#endif
        stretch_.reset(); // hands its breaker on to the next stretch
        stretch_.emplace(text_.substr(start_, end_ - start_));
        clusterStart_ = 0;
        clusterEnd_ = 0;
    }
    // The stretch starts on a boundary, so breaking forward from there needs none of the
    // breaker's backing up.
    while (start_ + clusterEnd_ <= offset) {
        clusterStart_ = clusterEnd_;
        clusterEnd_ = stretch_->Next();
    }
    return {start_ + clusterStart_, start_ + clusterEnd_};
}
