#include "engine/HtmlText.h"

#include "engine/TextJoin.h"

#include <utility>

namespace {} // namespace

THtmlText::THtmlText(std::string written, TTextEncoding encoding)
    : written_(std::move(written)), encoding_(encoding) {
    if (!written_.empty() && !written_.ends_with(kCrLf)) {
        written_ += kCrLf;
    }
}

std::vector<std::string_view> THtmlText::Lines() const {
    std::vector<std::string_view> lines;
    const std::string_view rest = written_;
    std::size_t start = 0;
    while (start < rest.size()) {
        const std::size_t end = rest.find(kCrLf, start);
        lines.push_back(rest.substr(start, end - start));
        start = end + kCrLf.size();
    }
    return lines;
}

std::string THtmlText::OneLine() const {
    std::string line;
    line.reserve(written_.size());
    for (const std::string_view part : Lines()) {
        line += part;
    }
    return line;
}
