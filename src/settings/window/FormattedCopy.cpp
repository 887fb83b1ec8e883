#include "settings/window/FormattedCopy.h"

#include "engine/HtmlBuilder.h"
#include "engine/TagVocabulary.h"
#include "engine/TextUnits.h"

std::string FormattedCopyHtml(const TRefreshInput& input) {
    if (UnitCount(input.Text, input.Clusters) < 2) {
        return {};
    }
    TRefreshInput css = input;
    css.Kind = okCss;
    // A table of its own in the refresh's case, so the window's table is left as it is.
    TTagVocabulary tg;
    tg.ApplyTagCase(css.UpperCaseTags);
    return BuildHtmlText(css.Text, css.Clusters, css.Gradient, HtmlOptionsOf(css, css.PreviewFont), tg)
        .Written();
}
