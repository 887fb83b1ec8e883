#include "engine/LengthSink.h"

#include "engine/TargetFit.h"
#include "engine/TextJoin.h"

void TLengthSink::Write(std::string_view bytes) {
    Count(bytes);
    if (next_ != nullptr) {
        next_->Write(bytes);
    }
}

void TLengthSink::Count(std::string_view bytes) {
    if (bytes.empty()) {
        return;
    }
    // A character's bytes may stand in two pieces: each counts by its own bytes.
    length_ += CountedLength(bytes, unit_);
    tail_[0] = bytes.size() >= 2 ? bytes[bytes.size() - 2] : tail_[1];
    tail_[1] = bytes.back();
}

void TLengthSink::Flush() {
    if (next_ != nullptr) {
        next_->Flush();
    }
}

std::size_t TLengthSink::Length() const {
    const bool lineEnd = length_ >= 2 && std::string_view(tail_, 2) == kCrLf;
    return lineEnd ? length_ - 2 : length_;
}
