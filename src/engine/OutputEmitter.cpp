#include "engine/OutputEmitter.h"

#include "engine/GradientWalk.h"
#include "engine/HtmlBuilder.h"
#include "engine/HtmlOptions.h"
#include "engine/OutputKind.h"
#include "engine/TextJoin.h"

void TOutputEmitter::AppendUnits(TUnitWalk& walk, TGradientWalk& colors, int count) {
    for (int k = 0; k < count; ++k) {
        const TColor color = colors.Next();
        AppendUnit(walk.Next(), color);
    }
}

std::unique_ptr<TOutputEmitter> MakeOutputEmitter(const TTagVocabulary& tg, const THtmlOptions& options,
                                                  std::string_view text, int unitCount,
                                                  const TClusterTable& clusters) {
    return OutputKindRow(options.Kind).Make(tg, options, text, unitCount, clusters);
}

std::string OutputLine(std::string_view text, const TClusterTable& clusters, const TGradient& gradient,
                       const THtmlOptions& options, const TTagVocabulary& tg) {
    if (text.empty()) {
        return {};
    }
    const int n = UnitCount(text, clusters);
    std::string line;
    if (n < 2) {
        const std::unique_ptr<TOutputEmitter> emitter = MakeOutputEmitter(tg, options, text, n, clusters);
        emitter->AppendUnit(TUnitWalk(text, clusters).Next(), GradientColor(gradient, 1, 1));
        line = emitter->Finish().Written();
    } else {
        line = BuildHtmlText(text, clusters, gradient, options, tg).Written();
    }
    line.resize(line.size() - kCrLf.size()); // the line end every output text ends in
    return line;
}
