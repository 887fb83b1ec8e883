#include "engine/FormattedCopy.h"

#include "engine/HtmlBuilder.h"
#include "engine/TagVocabulary.h"
#include "engine/TextUnits.h"

std::string FormattedCopyHtml(const TRefreshInput& input) {
    if (UnitCount(input.Text, input.Clusters) < 2) {
        return {};
    }
    TRefreshInput css = input;
    css.Html.Kind = okCss;
    // A table of its own in the refresh's case, so the window's table is left as it is.
    TTagVocabulary tg;
    tg.ApplyTagCase(css.UpperCaseTags);
    THtmlOptions options = HtmlOptionsOf(css, css.PreviewFont);
    // The programs that paste formatted text show the screen readers' copy of the text, which
    // would stand there twice; the text they paste is read as a word anyway.
    options.ScreenReaderText = false;
    return BuildHtmlText(css.Text, css.Clusters, css.Gradient, options, tg).Written();
}
