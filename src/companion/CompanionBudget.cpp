#include "companion/CompanionBudget.h"

#include "companion/CompanionOptions.h"
#include "companion/CompanionRefusal.h"
#include "engine/GradientWalk.h"
#include "engine/HtmlBuilder.h"
#include "engine/OutputKind.h"
#include "engine/TagVocabulary.h"
#include "engine/TargetFit.h"
#include "engine/TextJoin.h"

#include <vector>

int BuildWithinBudget(const TCompanionOptions& o, const TOutputKindRow& kind, const TUnitText& text,
                      const TGradient& gradient, const TTagVocabulary& tg, THtmlText& html, std::string& err,
                      TBudgetReport* report) {
    const std::size_t budget = o.budget.value_or(kind.Budget);
    TBudgetReport reported{.Counted = true, .Budget = budget};
    if (o.fit && budget > 0) {
        TFitResult fit = FitTargetText(text.Text, text.Clusters, gradient, o.html, tg, budget);
        reported.Fits = fit.Fits;
        reported.Step = fit.Step;
        reported.Share = fit.Share;
        reported.Length = fit.Length;
        reported.Fitting = fit.FittingUnits;
        if (!fit.Fits) {
            err += Refusal(FitNote(fit, kind.Kind, budget)).message + "\n";
            if (report != nullptr) {
                *report = reported;
            }
            return 3;
        }
        if (fit.Step != TFitStep::None && report == nullptr) {
            err += Refusal(FitNote(fit, kind.Kind, budget)).message + "\n";
        }
        html = std::move(fit.Html);
    } else {
        html = BuildHtmlText(text.Text, text.Clusters, gradient, o.html, tg);
    }
    if (report != nullptr) {
        *report = reported;
    }
    ReportLength(o, kind, TargetLength(html.Written(), kind.Counted), err, report);
    return 0;
}

void ReportLength(const TCompanionOptions& o, const TOutputKindRow& kind, std::size_t length,
                  std::string& err, TBudgetReport* report) {
    const std::size_t budget = o.budget.value_or(kind.Budget);
    const std::string unit = kind.Counted == TLengthUnit::Bytes ? " bytes" : " UTF-16 code units";
    if (report != nullptr) {
        // The caller shows the count and the step itself; what a fit found stays.
        report->Counted = true;
        report->Budget = budget;
        report->Length = length;
    } else if (o.count) {
        err += Join(std::to_string(length), budget > 0 ? Join(" / ", std::to_string(budget)) : std::string(),
                    unit, "\n");
    } else if (budget > 0 && length > budget) {
        err += Refusal("the output is ", std::to_string(length), unit, ", over the budget of ",
                       std::to_string(budget), " (--fit shortens it)")
                   .message +
               "\n";
    }
}

std::string PerUnitNote(const TOutputKindRow& kind, const TUnitText& text, const TGradient& gradient) {
    const int n = UnitCount(text.Text, text.Clusters);
    if (kind.Drawn.Draws == nullptr || n < 2) {
        return {};
    }
    std::vector<TColor> colors(static_cast<std::size_t>(n));
    TGradientWalk walk(gradient, n);
    for (TColor& color : colors) {
        color = walk.Next();
    }
    if (kind.Drawn.Draws(colors)) {
        return {};
    }
    return Refusal("--format ", kind.Name, " ", kind.Drawn.PerUnitNote).message + "\n";
}
