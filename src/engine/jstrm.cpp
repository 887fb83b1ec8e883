#include "engine/jstrm.h"

#include <cstdint>
#include <cstring>
#include <stdexcept>

bool IsTrailByte(std::string_view text, int position) {
    if (position < 1 || static_cast<std::size_t>(position) > text.size()) {
        throw std::out_of_range("Illegal Index");
    }
    // The byte before a run of lead-byte values always ends a character, so the run reads
    // lead, trail, lead, trail ... from its first byte: an odd run makes this byte a trail byte.
    int leadRun = 0;
    for (int i = position - 1; i >= 1 && IsDBCSLeadByte(static_cast<unsigned char>(text[i - 1])); --i) {
        ++leadRun;
    }
    return leadRun % 2 == 1;
}

int CharCount(std::string_view text) {
    // Every byte starts a character but the one after a lead byte that starts one; a lead byte
    // in the last place stands alone. Counted without a branch on the kind of byte, which mixed
    // text would mispredict at every other one, and eight ASCII bytes at a time.
    std::size_t count = 0;
    bool trail = false;
    std::size_t at = 0;
    for (; at < text.size(); ++at) {
        if (!trail && at + 8 <= text.size()) {
            std::uint64_t word = 0;
            std::memcpy(&word, text.data() + at, 8);
            if ((word & 0x8080808080808080ULL) == 0) {
                count += 8;
                at += 7;
                continue;
            }
        }
        const bool start = !trail;
        count += start ? 1 : 0;
        trail = start && IsDBCSLeadByte(static_cast<unsigned char>(text[at]));
    }
    return static_cast<int>(count);
}

std::string CharCopy(std::string_view text, int first, int count) {
    // Indexes in 64 bits: first + count may pass the range of int.
    const long long from = first < 1 ? 1 : first;
    const long long to = static_cast<long long>(first) + count - 1;
    if (to < from) {
        return {};
    }
    std::size_t begin = std::string_view::npos;
    std::size_t end = text.size();
    long long index = 1;
    for (std::size_t offset = 0; offset < text.size(); offset += CharLengthAt(text, offset), ++index) {
        if (index == from) {
            begin = offset;
        } else if (index == to + 1) {
            end = offset;
            break;
        }
    }
    return begin == std::string_view::npos ? std::string() : std::string(text.substr(begin, end - begin));
}

int CharPos(std::string_view part, std::string_view text) {
    if (text.empty()) {
        return 0;
    }
    int index = 1;
    std::size_t offset = 0;
    do {
        if (text.substr(offset, part.size()) == part) {
            return index;
        }
        offset += CharLengthAt(text, offset);
        ++index;
    } while (offset < text.size() && offset + part.size() <= text.size());
    return 0;
}

std::string CutToken(std::string& text, std::string_view delimiters) {
    std::string token;
    if (text.empty()) {
        return token;
    }
    if (!delimiters.empty()) {
        // A forward walk over character starts finds the same delimiter as testing every
        // position with IsTrailByte, without walking back over long runs of lead bytes.
        for (std::size_t offset = 0; offset < text.size(); offset += CharLengthAt(text, offset)) {
            const unsigned char byte = static_cast<unsigned char>(text[offset]);
            if (delimiters.find(static_cast<char>(byte)) != std::string_view::npos) {
                token = text.substr(0, offset);
                text.erase(0, offset + 1);
                return token;
            }
        }
    }
    token.swap(text);
    return token;
}
