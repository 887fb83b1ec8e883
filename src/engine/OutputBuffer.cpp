#include "engine/OutputBuffer.h"

#if defined(__linux__)
#include <sys/mman.h>
#endif

#include <algorithm>
#include <cstdint>

#if defined(__linux__) && defined(MADV_HUGEPAGE)
namespace {

// Outputs this large are backed by huge pages where the system offers them on request: a text
// of a million characters otherwise spends a third of its building time in page faults.
constexpr std::size_t kHugePageOutput = std::size_t{8} << 20;
constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;

} // namespace
#endif

void TOutputBuffer::Reserve(std::size_t bytes) {
    bytes += TPiece::kBlock;
    text_.clear();
    text_.reserve(bytes);
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    if (bytes >= kHugePageOutput) {
        char* const data = text_.data();
        const auto begin = reinterpret_cast<std::uintptr_t>(data);
        const std::uintptr_t first = (begin + kHugePage - 1) & ~(kHugePage - 1);
        const std::uintptr_t last = (begin + bytes) & ~(kHugePage - 1);
        if (last > first) {
            // Only advice: where it is refused the pages are ordinary ones.
            madvise(data + (first - begin), last - first, MADV_HUGEPAGE);
        }
    }
#endif
    text_.resize(bytes);
    used_ = 0;
}

void TOutputBuffer::StreamTo(TOutputSink& sink) {
    sink_ = &sink;
    Drain();
    if (text_.size() > kChunk + TPiece::kBlock) {
        // What was reserved for the whole output is given back.
        std::string window(kChunk + TPiece::kBlock, '\0');
        text_.swap(window);
    }
}

void TOutputBuffer::Drain() {
    if (sink_ != nullptr && used_ > 0) {
        sink_->Write(std::string_view(text_.data(), used_));
        used_ = 0;
    }
}

void TOutputBuffer::Grow(std::size_t bytes) {
    if (text_.empty() && expected_ > 0) {
        // The first piece (an emitter's opening, often written before it is told to stream)
        // takes a window; the whole is reserved when more comes and the buffer still does not
        // stream, so that a streamed output never holds its expected length.
        Reserve(std::max(std::min(expected_, kChunk), bytes));
        return;
    }
    if (sink_ == nullptr && expected_ > text_.size()) {
        std::string window;
        window.swap(text_);
        const std::size_t used = used_;
        Reserve(std::max(expected_, used + bytes));
        std::memcpy(text_.data(), window.data(), used);
        used_ = used;
        expected_ = 0;
        return;
    }
    expected_ = 0;
    Drain();
    if (used_ + bytes + TPiece::kBlock > text_.size()) {
        const std::size_t doubled = sink_ != nullptr ? kChunk : text_.size() * 2;
        text_.resize(std::max(doubled, used_ + bytes + TPiece::kBlock));
    }
}

void TOutputBuffer::Append(std::string_view piece) {
    if (sink_ != nullptr && piece.size() > kChunk) {
        Drain();
        sink_->Write(piece);
        return;
    }
    MakeRoom(piece.size());
    Put(piece);
}
