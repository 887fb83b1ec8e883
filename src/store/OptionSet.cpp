#include "store/OptionSet.h"

#include "store/IniText.h"
#include "store/KeptKeys.h"

#include <optional>
#include <utility>

namespace {

// The switches in the order they are read and written after "Opt1" and "Opt2-1".
const std::pair<const char*, bool TOptionSet::*> kLaterSwitches[] = {
    {"Opt3", &TOptionSet::FaceTag},       {"Opt4", &TOptionSet::SmartPreviewOff},
    {"Opt5", &TOptionSet::OpenAfterSave}, {"Opt6", &TOptionSet::Comments},
    {"Opt7", &TOptionSet::LogicalTags},   {"Opt8", &TOptionSet::BreakInFontTag},
    {"Opt9", &TOptionSet::UpperCaseTags},
};

constexpr std::string_view kFormatKey = "Format";
constexpr std::string_view kFormattedCopyKey = "FormattedCopy";
constexpr std::string_view kBudgetKey = "Budget";
constexpr std::string_view kShortenToFitKey = "ShortenToFit";

// Whether the key is one the option group reads and its value one it takes. The keys written at
// every save are understood whatever they hold: the save writes the program's value over them.
bool OptionKeyUnderstood(std::string_view key, std::string_view value) {
    for (const std::string_view always : {"Position.X", "Position.Y", "Opt1", "Opt2-1"}) {
        if (SameIniName(key, always)) {
            return true;
        }
    }
    for (const auto& [name, member] : kLaterSwitches) {
        if (SameIniName(key, name)) {
            return true;
        }
    }
    if (SameIniName(key, kFormatKey)) {
        const std::optional<TOutputKind> kind = OutputKindFromName(value);
        return kind && OutputKindRow(*kind).InWindow;
    }
    if (SameIniName(key, kBudgetKey)) {
        const std::optional<int> budget = ParseIniInteger(value);
        return budget && *budget >= 0 && static_cast<std::size_t>(*budget) < kBudgetLimit;
    }
    // The switches beside the design take any value: only the one this program writes is on.
    return SameIniName(key, kFormattedCopyKey) || SameIniName(key, kShortenToFitKey);
}

} // namespace

bool IsOptionSection(std::string_view section) {
    return SameIniName(section, kOptionSection);
}

void LoadOptionSet(TIniGT& store, TOptionSet& options) {
    const TOptionSet defaults;
    auto update = store.BeginUpdate();
    options.BaseFontSize = store.ReadInteger(kOptionSection, "Opt2-1", defaults.BaseFontSize);
    options.AskBeforeOverwrite = store.ReadBool(kOptionSection, "Opt1", defaults.AskBeforeOverwrite);
    for (const auto& [key, member] : kLaterSwitches) {
        options.*member = store.ReadBool(kOptionSection, key, defaults.*member);
    }
    const std::optional<TOutputKind> kind =
        OutputKindFromName(store.ReadString(kOptionSection, kFormatKey, OutputKindName(defaults.OutputKind)));
    options.OutputKind = kind && OutputKindRow(*kind).InWindow ? *kind : defaults.OutputKind;
    // Only the value this program writes switches it on; anything else leaves it off.
    options.FormattedCopy = store.ReadInteger(kOptionSection, kFormattedCopyKey, 0) == 1;
    const int budget = store.ReadInteger(kOptionSection, kBudgetKey, 0);
    options.Budget =
        budget > 0 && static_cast<std::size_t>(budget) < kBudgetLimit ? static_cast<std::size_t>(budget) : 0;
    options.ShortenToFit = store.ReadInteger(kOptionSection, kShortenToFitKey, 0) == 1;
    update.Commit();
}

void LoadWindowPosition(TIniGT& store, TWindowPosition& position) {
    store.ReadPosition(kOptionSection, "Position", position);
}

void SaveOptionSet(TIniGT& store, const TOptionSet& options) {
    auto update = store.BeginUpdate();
    const TKeptKeys kept = KeysNotUnderstood(store, kOptionSection, OptionKeyUnderstood);
    store.EraseSection(kOptionSection);
    store.WritePosition(kOptionSection, "Position", options.Position);
    store.WriteBool(kOptionSection, "Opt1", options.AskBeforeOverwrite);
    store.WriteInteger(kOptionSection, "Opt2-1", options.BaseFontSize);
    for (const auto& [key, member] : kLaterSwitches) {
        store.WriteBool(kOptionSection, key, options.*member);
    }
    if (options.OutputKind != okFont) {
        store.WriteString(kOptionSection, kFormatKey, OutputKindName(options.OutputKind));
    }
    if (options.FormattedCopy) {
        store.WriteBool(kOptionSection, kFormattedCopyKey, true);
    }
    if (options.Budget != 0) {
        store.WriteInteger(kOptionSection, kBudgetKey, static_cast<int>(options.Budget));
    }
    if (options.ShortenToFit) {
        store.WriteBool(kOptionSection, kShortenToFitKey, true);
    }
    WriteBackKeptKeys(store, kOptionSection, kept);
    update.Commit();
}
