#include "engine/UnicodeText.h"

#include "engine/CodePage.h"
#include "engine/LocalClusters.h"
#include "engine/Utf8.h"
#include "engine/Utf8Decode.h"

#include <algorithm>
#include <cstdint>
#include <optional>

namespace {

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Appends the written form of a cluster that CP932 cannot hold whole: the CP932 bytes of each
// code point it holds, "&#N;" for each other one. Returns the number of references.
int AppendWrittenForm(std::string_view cluster, TCp932Encoder& encoder, std::string& out) {
    int references = 0;
    for (std::size_t offset = 0; offset < cluster.size();) {
        const std::size_t start = offset;
        std::int32_t c = NextUtf8CodePoint(cluster, offset);
        if (c < 0) {
            c = 0xFFFD; // the text was repaired before; never met
        }
        if (!encoder.Append(cluster.substr(start, offset - start), out)) {
            out += "&#";
            out += std::to_string(c);
            out += ';';
            ++references;
        }
    }
    return references;
}

} // namespace

TUnitText UnitTextFromUtf8(std::string_view utf8) {
    if (FirstInvalidUtf8(utf8)) {
        return UnitTextFromWellFormedUtf8(WithReplacementCharacters(utf8));
    }
    return UnitTextFromWellFormedUtf8(utf8);
}

TUnitText UnitTextFromWellFormedUtf8(std::string_view text) {
    TUnitText result;
    UnitTextFromWellFormedUtf8(text, result);
    return result;
}

void UnitTextFromWellFormedUtf8(std::string_view text, TUnitText& result) {
    result.Clusters.Units.clear();
    result.Clusters.Utf8.clear();
    result.Clusters.References = 0;
    // ASCII is the same in CP932; a listing of many short lines needs no converter for each.
    if (IsAscii(text)) {
        result.Text = text;
        return;
    }
    TCp932Encoder encoder;
    result.Text.clear();
    result.Text.reserve(text.size());
    // Only the clusters that hold a character CP932 cannot hold become units of their own; the
    // text around them is the same bytes however it is cut, so ICU looks at those clusters alone,
    // and not at all at a text that CP932 holds whole.
    TClusterTable& table = result.Clusters;
    std::optional<TLocalClusters> clusters;
    for (std::size_t done = 0; done < text.size();) {
        const std::size_t written = result.Text.size();
        const std::size_t held = done + encoder.AppendHeld(text.substr(done), result.Text);
        if (held == text.size()) {
            break;
        }
        if (!clusters) {
            clusters.emplace(text);
        }
        const auto [start, end] = clusters->Around(held);
        if (start < held) {
            // The cluster begins with characters CP932 holds, taken with those before it.
            result.Text.resize(written);
            encoder.Append(text.substr(done, start - done), result.Text);
        }
        const std::string_view cluster = text.substr(start, end - start);
        TClusterUnit unit;
        unit.Offset = result.Text.size();
        unit.Utf8Offset = table.Utf8.size();
        unit.Utf8Length = cluster.size();
        table.Utf8 += cluster;
        table.References += AppendWrittenForm(cluster, encoder, result.Text);
        unit.Length = result.Text.size() - unit.Offset;
        table.Units.push_back(unit);
        done = end;
    }
}
