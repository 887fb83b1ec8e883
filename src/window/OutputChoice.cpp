#include "window/OutputChoice.h"

#include "store/OptionSet.h"

#include <QAction>
#include <QActionGroup>

TOutputKind TOutputChoice::Kind() const {
    const QAction* checked = formats_.checkedAction();
    return checked != nullptr ? static_cast<TOutputKind>(checked->data().toInt()) : DefaultOutputKind();
}

QAction* TOutputChoice::CbFormat(TOutputKind kind) const {
    for (QAction* item : formats_.actions()) {
        if (item->data().toInt() == static_cast<int>(kind)) {
            return item;
        }
    }
    return nullptr;
}

void TOutputChoice::SetKind(TOutputKind kind) {
    QAction* item = CbFormat(kind);
    (item != nullptr ? item : CbFormat(DefaultOutputKind()))->setChecked(true);
}

bool TOutputChoice::SetBudget(std::size_t budget) {
    if (budget >= kBudgetLimit) {
        return false;
    }
    budget_ = budget;
    return true;
}

std::size_t TOutputChoice::BudgetOf(TOutputKind kind) const {
    return budget_ != 0 ? budget_ : OutputKindRow(kind).Budget;
}

bool TOutputChoice::ShortenToFit() const {
    return fit_.isChecked();
}

void TOutputChoice::CaptureInto(TOptionSet& options) const {
    options.OutputKind = Kind();
    options.Budget = budget_;
    options.ShortenToFit = ShortenToFit();
}

void TOutputChoice::ApplyFrom(const TOptionSet& options) {
    SetKind(options.OutputKind);
    budget_ = options.Budget < kBudgetLimit ? options.Budget : 0;
    fit_.setChecked(options.ShortenToFit);
}
