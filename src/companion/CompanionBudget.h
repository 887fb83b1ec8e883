#pragma once

#include "engine/OrivUtil.h"
#include "engine/UnicodeText.h"

#include <cstddef>
#include <string>

class THtmlText;
class TTagVocabulary;
struct TBudgetReport;
struct TCompanionOptions;
struct TOutputKindRow;

// The output in its budget: with --fit shortened until it fits (status 3 and the message when
// nothing does), with --count its length on standard error, and a word when it is over.
int BuildWithinBudget(const TCompanionOptions& o, const TOutputKindRow& kind, const TUnitText& text,
                      const TGradient& gradient, const TTagVocabulary& tg, THtmlText& html, std::string& err,
                      TBudgetReport* report);

// The length of an output written (streamed) or built: in the caller's report, or with --count
// on standard error, or a word when it is over the budget.
void ReportLength(const TCompanionOptions& o, const TOutputKindRow& kind, std::size_t length,
                  std::string& err, TBudgetReport* report);

// What a kind whose target draws gradients from their stops says when it cannot draw this one
// and writes each character's colour instead (a line for standard error); empty otherwise.
std::string PerUnitNote(const TOutputKindRow& kind, const TUnitText& text, const TGradient& gradient);
