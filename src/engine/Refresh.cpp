#include "engine/Refresh.h"

#include "engine/GradientWalk.h"
#include "engine/HtmlBuilder.h"
#include "engine/OutputKind.h"
#include "engine/PreviewFontSize.h"
#include "engine/TagVocabulary.h"

#include <cstddef>
#include <string_view>

namespace {

// Texts up to this many units are measured whole at once.
constexpr std::size_t kFirstMeasuredCharacters = 64;

// The byte offset after `units` more units of the walk.
std::size_t SkipUnits(TUnitWalk& walk, std::size_t units) {
    for (; units > 0 && !walk.AtEnd(); --units) {
        walk.Step();
    }
    return walk.Offset();
}

// The width of the text's first `end` bytes as the refresh draws them: each cluster as one
// string, the characters between clusters in one measurement per run.
long long BeginningWidth(TPreviewCanvas& canvas, std::string_view text, const TClusterTable& clusters,
                         std::size_t end) {
    long long width = 0;
    std::size_t offset = 0;
    for (const TClusterUnit& cluster : clusters.Units) {
        if (cluster.Offset >= end) {
            break;
        }
        if (cluster.Offset > offset) {
            width += canvas.TextWidth(text.substr(offset, cluster.Offset - offset));
        }
        width += canvas.ClusterWidth(clusters.Unit(text, cluster));
        offset = cluster.Offset + cluster.Length;
    }
    if (end > offset) {
        width += canvas.TextWidth(text.substr(offset, end - offset));
    }
    return width;
}

// Whether the whole text is wider than `limit`. Since a text is never narrower than its
// beginning, growing beginnings are measured (doubling each time) and the first one wider than
// the limit settles it: a long text costs a few short measurements instead of a whole one.
bool WiderThan(TPreviewCanvas& canvas, std::string_view text, const TClusterTable& clusters, int limit) {
    std::size_t characters = kFirstMeasuredCharacters;
    TUnitWalk walk(text, clusters);
    while (true) {
        const std::size_t end = SkipUnits(walk, characters);
        if (BeginningWidth(canvas, text, clusters, end) > limit) {
            return true;
        }
        if (walk.AtEnd()) {
            return false;
        }
        characters *= 2;
    }
}

// Draws each unit in the colour the target shows for its gradient colour (a palette's nearest
// for a target of few colours) at the sum of the widths before it, up to the right edge: beyond
// it nothing shows, so nothing more is drawn or measured.
void DrawVisibleUnits(TPreviewCanvas& canvas, const TRefreshInput& input, const THtmlOptions& options, int n,
                      TColor background) {
    const TOutputKindRow& kind = OutputKindRow(input.Html.Kind);
    const std::string_view text = input.Text;
    const int width = canvas.Width();
    long long x = 0;
    TUnitWalk walk(text, input.Clusters);
    TGradientWalk colors(input.Gradient, n);
    for (int i = 1; i <= n && x < width; ++i) {
        const TColor color = kind.ShownColour(colors.Next(), options);
        const std::size_t start = walk.Offset();
        const TClusterUnit* cluster = walk.Step();
        if (cluster != nullptr) {
            const TTextUnit unit = input.Clusters.Unit(text, *cluster);
            canvas.DrawCluster(static_cast<int>(x), 0, unit, color, background);
            x += canvas.ClusterWidth(unit);
        } else {
            const std::string_view bytes = text.substr(start, walk.Offset() - start);
            canvas.DrawText(static_cast<int>(x), 0, bytes, color, background);
            x += canvas.TextWidth(bytes);
        }
    }
}

} // namespace

THtmlOptions HtmlOptionsOf(const TRefreshInput& input, const TPreviewFont& drawingFont) {
    THtmlOptions options = input.Html;
    options.FaceName = drawingFont.Face;
    options.Style = drawingFont.Style;
    options.BackgroundHex = SplitColor(input.Background).Hex;
    return options;
}

TRefreshResult Refresh(const TRefreshInput& input, TPreviewCanvas& canvas, TTagVocabulary& tg) {
    const std::string_view text = input.Text;
    if (text.size() < 2) {
        return {};
    }
    const int n = UnitCount(text, input.Clusters);
    if (n < 2) {
        return {};
    }

    tg.ApplyTagCase(input.UpperCaseTags);

    const int width = canvas.Width();
    const int height = canvas.Height();
    const TColor background = ResolveColor(input.Background);
    canvas.FillRect(0, 0, width, height, background);

    TPreviewFont font = input.PreviewFont;
    font.Points = ClampPreviewPoints(font.Points);
    canvas.SetFont(font);
    if (input.SmartPreview) {
        while (font.Points > kSmallestPreviewPoints && WiderThan(canvas, text, input.Clusters, width)) {
            --font.Points;
            canvas.SetFont(font);
        }
    }

    const THtmlOptions options = HtmlOptionsOf(input, font);
    if (width > 0 && height > 0) {
        DrawVisibleUnits(canvas, input, options, n, background);
    }
    // The output is the whole text's, written as the companion writes it, so each kind's
    // whole-text loop serves the window too.
    return {BuildHtmlText(text, input.Clusters, input.Gradient, options, tg), true, font.Points};
}
