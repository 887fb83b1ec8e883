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

TGraphemeClusters::TGraphemeClusters(std::string_view utf8) {
    // ICU's break positions are 32-bit.
    if (utf8.size() > static_cast<std::size_t>(INT32_MAX)) {
        throw std::length_error("text too long for grapheme clusters");
    }
    UErrorCode status = U_ZERO_ERROR;
    text_ = utext_openUTF8(nullptr, utf8.data(), static_cast<int64_t>(utf8.size()), &status);
    Check(status, "open the text");
    breaker_ = ubrk_open(UBRK_CHARACTER, "", nullptr, 0, &status);
    if (U_FAILURE(status)) {
        utext_close(text_);
        Check(status, "open its character break rules");
    }
    ubrk_setUText(breaker_, text_, &status);
    if (U_FAILURE(status)) {
        ubrk_close(breaker_);
        utext_close(text_);
        Check(status, "break the text");
    }
}

TGraphemeClusters::~TGraphemeClusters() {
    ubrk_close(breaker_);
    utext_close(text_);
}

std::size_t TGraphemeClusters::Next() {
    const int32_t boundary = ubrk_next(breaker_);
    return boundary == UBRK_DONE ? kEnd : static_cast<std::size_t>(boundary);
}
