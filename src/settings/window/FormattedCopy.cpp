#include "settings/window/FormattedCopy.h"

#include "engine/CodePage.h"
#include "engine/TextUnits.h"

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

// Each unit in a span of its colour, as the css output kind writes it.
std::string FormattedCopyHtml(const TRefreshInput& input) {
    const int n = UnitCount(input.Text, input.Clusters);
    if (n < 2) {
        return {};
    }
    std::string html;
    TUnitWalk walk(input.Text, input.Clusters);
    for (int i = 1; i <= n && !walk.AtEnd(); ++i) {
        const TTextUnit unit = walk.Next();
        html += "<span style=\"color:#";
        html += SplitColor(GradientColor(input.Gradient, i, n)).Hex;
        html += "\">";
        AppendEscaped(html, unit.IsCluster() ? std::string(unit.Utf8) : Cp932ToUtf8(unit.Bytes));
        html += "</span>";
    }
    return html;
}
