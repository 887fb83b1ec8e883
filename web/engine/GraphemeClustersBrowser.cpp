// The grapheme clusters of the WebAssembly build: the page's Intl.Segmenter (grapheme
// granularity) finds them, as ICU does in the program.
#include "engine/GraphemeClusters.h"

#include <emscripten.h>

#include <stdexcept>
#include <vector>

// Writes the byte offset where each cluster of the UTF-8 text ends into `ends` (room for one per
// byte) and returns how many there are.
EM_JS(int, tintrel_cluster_ends, (const char* text, int length, int* ends), {
    const bytes = HEAPU8.subarray(text, text + length);
    const string = new TextDecoder().decode(bytes);
    const segmenter = new Intl.Segmenter(undefined, {granularity : "grapheme"});
    let count = 0;
    let offset = 0;
    for (const piece of segmenter.segment(string)) {
        for (const character of piece.segment) {
            const c = character.codePointAt(0);
            offset += c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
        }
        HEAP32[(ends >> 2) + count] = offset;
        count++;
    }
    return count;
});

struct TGraphemeClusters::TImpl {
    std::vector<int> ends;
    std::size_t next = 0;
};

TGraphemeClusters::TGraphemeClusters(std::string_view utf8) : impl_(std::make_unique<TImpl>()) {
    if (utf8.size() > static_cast<std::size_t>(INT32_MAX)) {
        throw std::length_error("text too long for grapheme clusters");
    }
    impl_->ends.resize(utf8.size());
    const int count = tintrel_cluster_ends(utf8.data(), static_cast<int>(utf8.size()), impl_->ends.data());
    impl_->ends.resize(static_cast<std::size_t>(count));
}

TGraphemeClusters::~TGraphemeClusters() = default;

std::size_t TGraphemeClusters::Next() {
    if (impl_->next >= impl_->ends.size()) {
        return kEnd;
    }
    return static_cast<std::size_t>(impl_->ends[impl_->next++]);
}
