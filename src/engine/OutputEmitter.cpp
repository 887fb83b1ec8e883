#include "engine/OutputEmitter.h"

#include "engine/AnsiEmitter.h"
#include "engine/BbcodeEmitter.h"
#include "engine/CssEmitter.h"
#include "engine/HtmlBuilder.h"

std::unique_ptr<TOutputEmitter> MakeOutputEmitter(const TTagVocabulary& tg, const THtmlOptions& options,
                                                  std::string_view text, int unitCount,
                                                  const TClusterTable& clusters) {
    switch (options.Kind) {
    case okCss:
        return std::make_unique<TCssEmitter>(tg, options, text, unitCount, clusters);
    case okBbcode:
        return std::make_unique<TBbcodeEmitter>(tg, options, text, unitCount);
    case okAnsi:
    case okAnsi256:
        return std::make_unique<TAnsiEmitter>(options, text, unitCount);
    case okFont:
        break;
    }
    return std::make_unique<THtmlBuilder>(tg, options, text, unitCount, clusters);
}
