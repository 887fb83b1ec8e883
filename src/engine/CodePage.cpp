#include "engine/CodePage.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <iconv.h>
#include <stdexcept>

namespace {

// One iconv conversion descriptor, closed when it goes out of scope.
class TIconv {
public:
    TIconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        // iconv_open reports failure as (iconv_t)-1.
        if (cd_ == reinterpret_cast<iconv_t>(-1)) { // NOLINT(performance-no-int-to-ptr)
            throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " + to);
        }
    }
    ~TIconv() { iconv_close(cd_); }
    TIconv(const TIconv&) = delete;
    TIconv& operator=(const TIconv&) = delete;

    // Converts as much of `in` as it can, appending to `out`; returns the errno that stopped it
    // (0 when all of `in` was taken). `in` is advanced past what was converted.
    int Convert(std::string_view& in, std::string& out) {
        char buffer[4096];
        while (!in.empty()) {
            char* inPtr = const_cast<char*>(in.data());
            size_t inLeft = in.size();
            char* outPtr = buffer;
            size_t outLeft = sizeof buffer;
            const size_t result = iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
            out.append(buffer, static_cast<size_t>(outPtr - buffer));
            in.remove_prefix(in.size() - inLeft);
            if (result == static_cast<size_t>(-1) && errno != E2BIG) {
                const int error = errno;
                iconv(cd_, nullptr, nullptr, nullptr, nullptr);
                return error;
            }
        }
        return 0;
    }

private:
    iconv_t cd_;
};

// The length of the UTF-8 sequence that starts with `lead`, or 1 for a byte that cannot start one.
size_t Utf8SequenceLength(unsigned char lead) {
    if (lead >= 0xF0 && lead <= 0xF4) {
        return 4;
    }
    if (lead >= 0xE0) {
        return lead <= 0xEF ? 3 : 1;
    }
    if (lead >= 0xC2) {
        return 2;
    }
    return 1;
}

} // namespace

TCp932Conversion Utf8ToCp932(std::string_view utf8) {
    TCp932Conversion result;
    TIconv converter("CP932", "UTF-8");
    std::string_view rest = utf8;
    while (!rest.empty()) {
        if (converter.Convert(rest, result.Bytes) == 0) {
            break;
        }
        // The character at the front of `rest` cannot be held (EILSEQ) or is cut short (EINVAL).
        const size_t length =
            std::min(Utf8SequenceLength(static_cast<unsigned char>(rest.front())), rest.size());
        result.Unmappable.emplace_back(rest.substr(0, length));
        result.Bytes.push_back('?');
        rest.remove_prefix(length);
    }
    return result;
}

std::string Cp932ToUtf8(std::string_view cp932) {
    std::string out;
    TIconv converter("UTF-8", "CP932");
    std::string_view rest = cp932;
    while (!rest.empty()) {
        if (converter.Convert(rest, out) == 0) {
            break;
        }
        const unsigned char lead = static_cast<unsigned char>(rest.front());
        const bool isLead = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
        out += "\xEF\xBF\xBD";
        const unsigned char trail = rest.size() >= 2 ? static_cast<unsigned char>(rest[1]) : 0;
        const bool hasTrail = (trail >= 0x40 && trail <= 0x7E) || (trail >= 0x80 && trail <= 0xFC);
        rest.remove_prefix(isLead && hasTrail ? 2 : 1);
    }
    return out;
}

namespace {

// The UTF-8 of every CP932 character: the 256 single bytes, then each lead byte's 256 trails.
class TCp932Table {
public:
    TCp932Table() {
        TIconv converter("UTF-8", "CP932");
        std::string out;
        const auto fill = [&](std::size_t index, std::string_view bytes) {
            out.clear();
            std::string_view in = bytes;
            if (converter.Convert(in, out) != 0 || out.empty() || out.size() > 3) {
                out = "\xEF\xBF\xBD";
            }
            TEntry& entry = entries_[index];
            std::copy(out.begin(), out.end(), entry.bytes.begin());
            entry.length = static_cast<unsigned char>(out.size());
        };
        for (unsigned byte = 0; byte < 256; ++byte) {
            const char single = static_cast<char>(byte);
            fill(byte, std::string_view(&single, 1));
        }
        for (unsigned lead = 0; lead < 256; ++lead) {
            if (LeadIndex(static_cast<unsigned char>(lead)) < 0) {
                continue;
            }
            for (unsigned trail = 0; trail < 256; ++trail) {
                const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                fill(PairIndex(static_cast<unsigned char>(lead), static_cast<unsigned char>(trail)),
                     std::string_view(pair, 2));
            }
        }
    }

    std::string_view Lookup(std::string_view character) const {
        if (character.empty()) {
            return {};
        }
        const auto lead = static_cast<unsigned char>(character[0]);
        std::size_t index = lead;
        if (character.size() >= 2 && LeadIndex(lead) >= 0) {
            index = PairIndex(lead, static_cast<unsigned char>(character[1]));
        }
        const TEntry& entry = entries_[index];
        return {entry.bytes.data(), entry.length};
    }

private:
    struct TEntry {
        std::array<char, 3> bytes{};
        unsigned char length = 0;
    };
    static constexpr int kLeads = (0x9F - 0x81 + 1) + (0xFC - 0xE0 + 1);

    static int LeadIndex(unsigned char lead) {
        if (lead >= 0x81 && lead <= 0x9F) {
            return lead - 0x81;
        }
        if (lead >= 0xE0 && lead <= 0xFC) {
            return lead - 0xE0 + (0x9F - 0x81 + 1);
        }
        return -1;
    }
    static std::size_t PairIndex(unsigned char lead, unsigned char trail) {
        return 256 + static_cast<std::size_t>(LeadIndex(lead)) * 256 + trail;
    }

    std::array<TEntry, 256 + kLeads * 256> entries_{};
};

} // namespace

std::string_view Cp932CharacterToUtf8(std::string_view character) {
    static const TCp932Table table;
    return table.Lookup(character);
}

struct TCp932Encoder::TImpl {
    TIconv converter{"CP932", "UTF-8"};
};

TCp932Encoder::TCp932Encoder() : impl_(std::make_unique<TImpl>()) {}

TCp932Encoder::~TCp932Encoder() = default;

bool TCp932Encoder::Append(std::string_view utf8, std::string& out) {
    const std::size_t before = out.size();
    if (impl_->converter.Convert(utf8, out) != 0) {
        out.resize(before);
        return false;
    }
    return true;
}
