#include "settings/window/FormattedCopy.h"

#include "engine/CodePage.h"
#include "engine/jstrm.h"

#include <string_view>

namespace {

void AppendEscaped(std::string& out, std::string_view utf8) {
    for (const char c : utf8) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
}

} // namespace

// Each character in a span of its colour, as the css output kind writes it.
std::string FormattedCopyHtml(const TRefreshInput& input) {
    const std::string_view text = input.Text;
    const int n = CharCount(text);
    if (text.size() < 2 || n < 2) {
        return {};
    }
    std::string html;
    std::size_t offset = 0;
    for (int i = 1; i <= n; ++i) {
        const std::string_view ch = text.substr(offset, CharLengthAt(text, offset));
        offset += ch.size();
        html += "<span style=\"color:#";
        html += SplitColor(GradientColor(input.Gradient, i, n)).Hex;
        html += "\">";
        AppendEscaped(html, Cp932ToUtf8(ch));
        html += "</span>";
    }
    return html;
}
