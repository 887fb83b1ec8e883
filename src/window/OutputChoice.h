#pragma once

#include "engine/OutputKind.h"

#include <cstddef>

class QAction;
class QActionGroup;
struct TOptionSet;

// The output the window writes: its kind, the length budget set in the options and whether the
// output is shortened to fit it. The options menu shows them (a radio item per kind, the switch
// "Shorten to fit"); the budget is kept here. They are saved with the option group.
class TOutputChoice {
public:
    // `formats` holds an item per kind the window offers, its data the kind; both it and `fit`
    // stay the window's and must outlive the choice.
    TOutputChoice(QActionGroup& formats, QAction& fit) : formats_(formats), fit_(fit) {}

    // The chosen kind, and choosing one (a kind the window does not offer: the font kind).
    TOutputKind Kind() const;
    void SetKind(TOutputKind kind);
    // The menu item of a kind; nullptr for a kind the window does not offer.
    QAction* CbFormat(TOutputKind kind) const;

    // The budget set in the options; 0: each kind's own.
    std::size_t ChosenBudget() const { return budget_; }
    // Sets the budget; false (and nothing set) when it is not below kBudgetLimit.
    bool SetBudget(std::size_t budget);
    // The budget the chosen kind's output must fit: the one set, else the kind's own; 0 for none.
    std::size_t Budget() const { return BudgetOf(Kind()); }
    std::size_t BudgetOf(TOutputKind kind) const;
    bool ShortenToFit() const;

    // The option group's keys of the output: the kind, the budget and "Shorten to fit".
    void CaptureInto(TOptionSet& options) const;
    // Takes them from `options`; a budget out of range becomes 0.
    void ApplyFrom(const TOptionSet& options);

private:
    QActionGroup& formats_;
    QAction& fit_;
    std::size_t budget_ = 0;
};
