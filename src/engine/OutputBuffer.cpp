#include "engine/OutputBuffer.h"

#if defined(__linux__)
#include <sys/mman.h>
#endif

#include <cstdint>

#if defined(__linux__) && defined(MADV_HUGEPAGE)
namespace {

// Outputs this large are backed by huge pages where the system offers them on request: a text
// of a million characters otherwise spends a third of its building time in page faults.
constexpr std::size_t kHugePageOutput = std::size_t{8} << 20;
constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;

} // namespace
#endif

void TOutputBuffer::Expect(std::size_t bytes) {
    bytes += TPiece::kBlock;
    text_.clear();
    text_.reserve(bytes);
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    if (bytes >= kHugePageOutput) {
        char* const data = text_.data();
        const auto begin = reinterpret_cast<std::uintptr_t>(data);
        const std::uintptr_t first = (begin + kHugePage - 1) & ~(kHugePage - 1);
        const std::uintptr_t last = (begin + bytes) & ~(kHugePage - 1);
        if (last > first) {
            // Only advice: where it is refused the pages are ordinary ones.
            madvise(data + (first - begin), last - first, MADV_HUGEPAGE);
        }
    }
#endif
    text_.resize(bytes);
    used_ = 0;
}
