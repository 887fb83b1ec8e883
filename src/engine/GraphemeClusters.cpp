#include "engine/GraphemeClusters.h"

#include <unicode/ubrk.h>
#include <unicode/utext.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>

namespace {

void Check(UErrorCode status, const char* what) {
    if (U_FAILURE(status)) {
        throw std::runtime_error(std::string("ICU cannot ") + what + ": " + u_errorName(status));
    }
}

// Opening the character break rules costs far more than breaking a line of a listing: a text
// takes the iterator that the one before it left, and only a text broken while another one is
// still open opens one of its own.
struct TSpareBreaker {
    UBreakIterator* breaker = nullptr;

    TSpareBreaker() = default;
    ~TSpareBreaker() { ubrk_close(breaker); }
    TSpareBreaker(const TSpareBreaker&) = delete;
    TSpareBreaker& operator=(const TSpareBreaker&) = delete;
};

thread_local TSpareBreaker tSpare;

} // namespace

struct TGraphemeClusters::TImpl {
    UText text = UTEXT_INITIALIZER;
    UBreakIterator* breaker = nullptr;

    TImpl() = default;
    ~TImpl() {
        if (breaker != nullptr && tSpare.breaker == nullptr) {
            tSpare.breaker = breaker;
        } else {
            ubrk_close(breaker);
        }
        utext_close(&text);
    }
    TImpl(const TImpl&) = delete;
    TImpl& operator=(const TImpl&) = delete;
};

TGraphemeClusters::TGraphemeClusters(std::string_view utf8) : impl_(std::make_unique<TImpl>()) {
    // ICU's break positions are 32-bit.
    if (utf8.size() > static_cast<std::size_t>(INT32_MAX)) {
        throw std::length_error("text too long for grapheme clusters");
    }
    UErrorCode status = U_ZERO_ERROR;
    utext_openUTF8(&impl_->text, utf8.data(), static_cast<int64_t>(utf8.size()), &status);
    Check(status, "open the text");
    impl_->breaker = std::exchange(tSpare.breaker, nullptr);
    if (impl_->breaker == nullptr) {
        impl_->breaker = ubrk_open(UBRK_CHARACTER, "", nullptr, 0, &status);
        Check(status, "open its character break rules");
    }
    // Sets the iterator to the start of this text, whatever it broke before.
    ubrk_setUText(impl_->breaker, &impl_->text, &status);
    Check(status, "break the text");
}

TGraphemeClusters::~TGraphemeClusters() = default;

std::pair<std::size_t, std::size_t> TGraphemeClusters::Around(std::size_t offset) {
    // ICU backs up from `offset` by its safe rules alone: the text before the cluster is not
    // broken again.
    const int32_t end = ubrk_following(impl_->breaker, static_cast<int32_t>(offset));
    const int32_t start = ubrk_previous(impl_->breaker);
    return {static_cast<std::size_t>(start), static_cast<std::size_t>(end)};
}

std::size_t TGraphemeClusters::Next() {
    const int32_t boundary = ubrk_next(impl_->breaker);
    return boundary == UBRK_DONE ? kEnd : static_cast<std::size_t>(boundary);
}
