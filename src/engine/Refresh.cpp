#include "engine/Refresh.h"

#include "engine/GradientWalk.h"
#include "engine/HtmlBuilder.h"
#include "engine/PreviewFontSize.h"
#include "engine/TagVocabulary.h"
#include "engine/jstrm.h"

#include <cstddef>
#include <string_view>

namespace {

// Texts up to this many characters are measured whole at once.
constexpr std::size_t kFirstMeasuredCharacters = 64;

// The byte offset after `characters` more characters from `offset`.
std::size_t SkipCharacters(std::string_view text, std::size_t offset, std::size_t characters) {
    for (; characters > 0 && offset < text.size(); --characters) {
        offset += CharLengthAt(text, offset);
    }
    return offset;
}

// Whether the whole text is wider than `limit`. Since a text is never narrower than its
// beginning, growing beginnings are measured (doubling each time) and the first one wider than
// the limit settles it: a long text costs a few short measurements instead of a whole one.
bool WiderThan(TPreviewCanvas& canvas, std::string_view text, int limit) {
    std::size_t characters = kFirstMeasuredCharacters;
    std::size_t end = 0;
    while (true) {
        end = SkipCharacters(text, end, characters);
        if (canvas.TextWidth(text.substr(0, end)) > limit) {
            return true;
        }
        if (end >= text.size()) {
            return false;
        }
        characters *= 2;
    }
}

} // namespace

THtmlOptions HtmlOptionsOf(const TRefreshInput& input, const TPreviewFont& drawingFont) {
    THtmlOptions options;
    options.FaceName = drawingFont.Face;
    options.Style = drawingFont.Style;
    options.SizeStep = input.SizeStep;
    options.FirstLetterLarger = input.FirstLetterLarger;
    options.FaceTag = input.FaceTag;
    options.LogicalTags = input.LogicalTags;
    options.Comment = input.Comment;
    options.BreakInTag = input.BreakInTag;
    options.Table = input.Table;
    options.BackgroundHex = SplitColor(input.Background).Hex;
    options.Kind = input.Kind;
    return options;
}

TRefreshResult Refresh(const TRefreshInput& input, TPreviewCanvas& canvas, TTagVocabulary& tg) {
    const std::string_view text = input.Text;
    if (text.size() < 2) {
        return {};
    }
    const int n = CharCount(text);
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
        while (font.Points > kSmallestPreviewPoints && WiderThan(canvas, text, width)) {
            --font.Points;
            canvas.SetFont(font);
        }
    }

    const std::unique_ptr<TOutputEmitter> emitter =
        MakeOutputEmitter(tg, HtmlOptionsOf(input, font), text, n);
    const bool visible = width > 0 && height > 0;
    long long x = 0;
    std::size_t offset = 0;
    TGradientWalk colors(input.Gradient, n);
    for (int i = 1; i <= n; ++i) {
        const TColor color = colors.Next();
        const std::string_view ch = text.substr(offset, CharLengthAt(text, offset));
        offset += ch.size();
        // Beyond the right edge nothing shows, so nothing more is drawn or measured.
        if (visible && x < width) {
            canvas.DrawText(static_cast<int>(x), 0, ch, color, background);
            x += canvas.TextWidth(ch);
        }
        emitter->AppendCharacter(ch, color);
    }
    return {emitter->Finish(), true, font.Points};
}
