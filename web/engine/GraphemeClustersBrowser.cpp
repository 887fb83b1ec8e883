// The grapheme clusters of the WebAssembly build: the page's Intl.Segmenter (grapheme
// granularity) finds them, as ICU does in the program.
#include "engine/GraphemeClusters.h"

#include <emscripten.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

// Writes the byte offset where each cluster of the UTF-8 text ends, for the clusters from the
// byte `from` (where a cluster starts) on, into `ends` (room for one per byte), and returns how
// many it wrote. It stops early at an end at or after the byte `same` from which the text is
// that of the last text segmented, shifted by `shift` bytes, when that text had a cluster end
// there too (its `lastCount` ends are at `lastEnds`): from there on the ends are the last text's.
// `*lastAt` is then the index of the last text's end where it stopped, else -1.
EM_JS(int, tintrel_cluster_ends,
      (const char* text, int from, int length, int* ends, int same, int shift, const int* lastEnds,
       int lastCount, int* lastAt),
      {
          const string = new TextDecoder().decode(HEAPU8.subarray(text + from, text + length));
          const segmenter = new Intl.Segmenter(undefined, {granularity : "grapheme"});
          let count = 0;
          let offset = from;
          let last = 0;
          HEAP32[lastAt >> 2] = -1;
          for (const piece of segmenter.segment(string)) {
              for (const character of piece.segment) {
                  const c = character.codePointAt(0);
                  offset += c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
              }
              HEAP32[(ends >> 2) + count] = offset;
              count++;
              if (offset >= same) {
                  const wanted = offset - shift;
                  while (last < lastCount && HEAP32[(lastEnds >> 2) + last] < wanted) {
                      last++;
                  }
                  if (last < lastCount && HEAP32[(lastEnds >> 2) + last] == wanted) {
                      HEAP32[lastAt >> 2] = last;
                      return count;
                  }
              }
          }
          return count;
      });

namespace {

// The last text segmented and where its clusters end. The page runs the engine more than once
// on one text (its output and its preview), and a person typing changes a long text in one
// place: the clusters before the change and after it are the last text's, and only those
// around it are found again (segmenting is most of the engine's time on a long text).
struct TLastSegmented {
    std::string text;
    std::vector<int> ends;
};

TLastSegmented& LastSegmented() {
    static TLastSegmented last;
    return last;
}

void Segment(TLastSegmented& last, std::string_view text) {
    const std::string_view before = last.text;
    const std::size_t shortest = std::min(before.size(), text.size());
    const std::size_t prefix = static_cast<std::size_t>(
        std::mismatch(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(shortest), before.begin())
            .first -
        text.begin());
    std::size_t suffix = 0;
    while (suffix < shortest - prefix &&
           text[text.size() - 1 - suffix] == before[before.size() - 1 - suffix]) {
        ++suffix;
    }
    // The clusters kept from the start: all that end before the change but the last, so that
    // the first one found again starts with a whole character the change did not touch, and the
    // boundary before it stands as it did.
    const auto firstChanged = std::lower_bound(last.ends.begin(), last.ends.end(), static_cast<int>(prefix));
    const std::size_t kept = std::max<std::ptrdiff_t>(firstChanged - last.ends.begin() - 1, 0);
    const int from = kept > 0 ? last.ends[kept - 1] : 0;

    std::vector<int> ends(kept + text.size() - static_cast<std::size_t>(from));
    std::copy_n(last.ends.begin(), kept, ends.begin());
    int lastAt = -1;
    const int shift = static_cast<int>(text.size()) - static_cast<int>(before.size());
    const int found = tintrel_cluster_ends(text.data(), from, static_cast<int>(text.size()),
                                           ends.data() + kept, static_cast<int>(text.size() - suffix), shift,
                                           last.ends.data(), static_cast<int>(last.ends.size()), &lastAt);
    ends.resize(kept + static_cast<std::size_t>(found));
    if (lastAt >= 0) {
        for (auto end = last.ends.begin() + lastAt + 1; end != last.ends.end(); ++end) {
            ends.push_back(*end + shift);
        }
    }
    last.ends = std::move(ends);
    last.text = text;
}

} // namespace

struct TGraphemeClusters::TImpl {
    std::vector<int> ends;
    std::size_t next = 0;
};

TGraphemeClusters::TGraphemeClusters(std::string_view utf8) : impl_(std::make_unique<TImpl>()) {
    if (utf8.size() > static_cast<std::size_t>(INT32_MAX)) {
        throw std::length_error("text too long for grapheme clusters");
    }
    TLastSegmented& last = LastSegmented();
    if (last.text != utf8) {
        Segment(last, utf8);
    }
    impl_->ends = last.ends;
}

TGraphemeClusters::~TGraphemeClusters() = default;

std::size_t TGraphemeClusters::Next() {
    if (impl_->next >= impl_->ends.size()) {
        return kEnd;
    }
    return static_cast<std::size_t>(impl_->ends[impl_->next++]);
}

std::pair<std::size_t, std::size_t> TGraphemeClusters::Around(std::size_t offset) {
    const std::vector<int>& ends = impl_->ends;
    const auto end = std::upper_bound(ends.begin(), ends.end(), static_cast<int>(offset));
    const int start = end == ends.begin() ? 0 : *(end - 1);
    return {static_cast<std::size_t>(start),
            static_cast<std::size_t>(end == ends.end() ? ends.back() : *end)};
}

// For the page's tests: the next text is segmented whole, as if none came before.
extern "C" EMSCRIPTEN_KEEPALIVE void tintrel_forget_clusters() {
    LastSegmented() = TLastSegmented{};
}
