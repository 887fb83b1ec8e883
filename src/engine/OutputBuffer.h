#pragma once

#include "engine/Color.h"
#include "engine/OutputSink.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace output_tables {

// The two hexadecimal digits of each byte value, upper case.
constexpr std::array<std::array<char, 2>, 256> MakeHexPairs() {
    constexpr char digits[] = "0123456789ABCDEF";
    std::array<std::array<char, 2>, 256> pairs{};
    for (unsigned value = 0; value < 256; ++value) {
        pairs[value] = {digits[value >> 4], digits[value & 0xF]};
    }
    return pairs;
}

// The decimal digits of each byte value, with their count.
struct TDecimal {
    std::array<char, 3> digits;
    unsigned char length;
};

constexpr std::array<TDecimal, 256> MakeDecimals() {
    std::array<TDecimal, 256> decimals{};
    for (unsigned value = 0; value < 256; ++value) {
        TDecimal& d = decimals[value];
        if (value >= 100) {
            d = {{static_cast<char>('0' + value / 100), static_cast<char>('0' + value / 10 % 10),
                  static_cast<char>('0' + value % 10)},
                 3};
        } else if (value >= 10) {
            d = {{static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10), 0}, 2};
        } else {
            d = {{static_cast<char>('0' + value), 0, 0}, 1};
        }
    }
    return decimals;
}

inline constexpr std::array<std::array<char, 2>, 256> kHexPairs = MakeHexPairs();
inline constexpr std::array<TDecimal, 256> kDecimals = MakeDecimals();

} // namespace output_tables

// A piece of markup written before or after every character, held in a fixed block so that it
// is copied with a few fixed-size moves instead of a call to memcpy.
class TPiece {
public:
    static constexpr std::size_t kBlock = 48;

    TPiece() = default;
    explicit TPiece(std::string_view text) : text_(text) {
        if (text.size() <= kBlock) {
            std::memcpy(block_.data(), text.data(), text.size());
        }
    }
    std::size_t size() const { return text_.size(); }
    const std::string& Text() const { return text_; }
    bool Fits() const { return text_.size() <= kBlock; }
    const char* Block() const { return block_.data(); }

private:
    std::string text_;
    std::array<char, kBlock> block_{};
};

// The growing output of an emitter. The string is sized once to the expected length, and pieces
// are copied in behind a cursor, so the per-character path has no allocation and no size
// bookkeeping of std::string; a guess that was too small only costs a regrowth. Once it streams
// to a sink, it is a window of a bounded size instead: whenever it is full, what it holds goes
// to the sink.
class TOutputBuffer {
public:
    // The size of the window while the buffer streams.
    static constexpr std::size_t kChunk = std::size_t{1} << 20;

    // The room the output is expected to take; it is reserved at the first write, and only a
    // window of it when the buffer streams by then.
    void Expect(std::size_t bytes) {
        text_.clear();
        used_ = 0;
        expected_ = bytes;
    }

    // Hands what has been written to `sink`, and from now on every full window; the sink must
    // outlive the buffer's use.
    void StreamTo(TOutputSink& sink);
    bool Streaming() const { return sink_ != nullptr; }

    // Room for `bytes` more; call before the Put... calls it covers. A piece may write up to its
    // whole block, so the room always has a block to spare beyond what is asked.
    void MakeRoom(std::size_t bytes) {
        if (used_ + bytes + TPiece::kBlock > text_.size()) [[unlikely]] {
            Grow(bytes);
        }
    }

    // Unchecked: MakeRoom must have made room.
    void Put(std::string_view piece) {
        std::memcpy(text_.data() + used_, piece.data(), piece.size());
        used_ += piece.size();
    }
    void Put(char c) { text_[used_++] = c; }
    void Put(const TPiece& piece) {
        if (piece.Fits()) {
            std::memcpy(text_.data() + used_, piece.Block(), TPiece::kBlock);
            used_ += piece.size();
        } else {
            Put(std::string_view(piece.Text()));
        }
    }
    // A character's text, mostly one to three bytes (CP932 or the UTF-8 of a CP932 character).
    void PutCharacter(std::string_view character) {
        if (character.size() == 1) {
            text_[used_++] = character[0];
        } else if (character.size() == 2) {
            text_[used_] = character[0];
            text_[used_ + 1] = character[1];
            used_ += 2;
        } else if (character.size() == 3) {
            text_[used_] = character[0];
            text_[used_ + 1] = character[1];
            text_[used_ + 2] = character[2];
            used_ += 3;
        } else {
            Put(character);
        }
    }
    // Six hexadecimal digits, red first, upper case.
    void PutHex(TColor color) {
        char* out = text_.data() + used_;
        using output_tables::kHexPairs;
        std::memcpy(out, kHexPairs[color & 0xFF].data(), 2);
        std::memcpy(out + 2, kHexPairs[(color >> 8) & 0xFF].data(), 2);
        std::memcpy(out + 4, kHexPairs[(color >> 16) & 0xFF].data(), 2);
        used_ += 6;
    }
    // A decimal 0 to 255.
    void PutByte(unsigned value) {
        const output_tables::TDecimal& d = output_tables::kDecimals[value & 0xFF];
        std::memcpy(text_.data() + used_, d.digits.data(), 3);
        used_ += d.length;
    }

    // Checked appends for the parts outside the per-character path. A piece larger than the
    // window goes to the sink directly.
    void Append(std::string_view piece);

    // The text written so far (when streaming, what the sink has not had yet); the buffer is
    // spent afterwards.
    std::string Take() {
        // The spare block is cut off with the rest.
        text_.resize(used_);
        used_ = 0;
        return std::move(text_);
    }

    // Hands what it holds to the sink, when streaming.
    void Drain();

private:
    // Drains to the sink, or grows, until `bytes` more fit.
    void Grow(std::size_t bytes);
    void Reserve(std::size_t bytes);

    std::string text_;
    std::size_t used_ = 0;
    TOutputSink* sink_ = nullptr;
    std::size_t expected_ = 0; // reserved at the first write
};
