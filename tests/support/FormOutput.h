#pragma once

#include "engine/HtmlBuilder.h"
#include "engine/Refresh.h"
#include "engine/TagVocabulary.h"
#include "window/mainform.h"

// The output of the window's current text and controls in `kind`, whatever kind is chosen;
// empty below two characters.
inline THtmlText OutputOfKind(const TForm1& form, TOutputKind kind) {
    TRefreshInput input = form.CurrentRefreshInput();
    input.Html.Kind = kind;
    if (UnitCount(input.Text, input.Clusters) < 2) {
        return {};
    }
    TTagVocabulary tg;
    tg.ApplyTagCase(input.UpperCaseTags);
    return BuildHtmlText(input.Text, input.Clusters, input.Gradient, HtmlOptionsOf(input, input.PreviewFont),
                         tg);
}
