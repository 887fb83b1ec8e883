#include "engine/GraphemeClusters.h"

#include <unicode/ubrk.h>
#include <unicode/utext.h>

#include <cstdint>
#include <stdexcept>
#include <string>

namespace {

void Check(UErrorCode status, const char* what) {
    if (U_FAILURE(status)) {
        throw std::runtime_error(std::string("ICU cannot ") + what + ": " + u_errorName(status));
    }
}

} // namespace

struct TGraphemeClusters::TImpl {
    UText* text = nullptr;
    UBreakIterator* breaker = nullptr;

    TImpl() = default;
    ~TImpl() {
        ubrk_close(breaker);
        utext_close(text);
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
    impl_->text = utext_openUTF8(nullptr, utf8.data(), static_cast<int64_t>(utf8.size()), &status);
    Check(status, "open the text");
    impl_->breaker = ubrk_open(UBRK_CHARACTER, "", nullptr, 0, &status);
    Check(status, "open its character break rules");
    ubrk_setUText(impl_->breaker, impl_->text, &status);
    Check(status, "break the text");
}

TGraphemeClusters::~TGraphemeClusters() = default;

std::size_t TGraphemeClusters::Next() {
    const int32_t boundary = ubrk_next(impl_->breaker);
    return boundary == UBRK_DONE ? kEnd : static_cast<std::size_t>(boundary);
}
