#include "libtintrel/LibraryOptions.h"

#include "companion/CompanionInMemory.h"
#include "companion/CompanionOptions.h"
#include "store/IniErrors.h"

#include <algorithm>
#include <array>

namespace {

// The options that choose what a call does: each is a function of the library of its own, and
// the text always comes from the call.
constexpr std::array kCallOptions{std::string_view("--text-file"),      std::string_view("--utf8-text-file"),
                                  std::string_view("--decode"),         std::string_view("--to-style"),
                                  std::string_view("--count"),          std::string_view("--fit"),
                                  std::string_view("--check-contrast"), std::string_view("--help"),
                                  std::string_view("--version"),        std::string_view("--")};

// A template becomes a kind of the process's one kind table, which every options object and
// thread reads: the library does not take one.
constexpr std::array kTableOptions{std::string_view("--template"), std::string_view("--template-file")};

std::string OptionName(std::string_view name) {
    return name.starts_with("--") ? std::string(name) : "--" + std::string(name);
}

} // namespace

std::optional<std::string> TLibraryOptions::Set(std::string_view name,
                                                std::optional<std::string_view> value) {
    const std::string option = OptionName(name);
    if (name.empty() || (name != "--" && (option.size() < 3 || option[2] == '-')) ||
        option.find('=') != std::string::npos) {
        return PrintableFileName("unknown option '" + std::string(name) + "'");
    }
    if (std::find(kCallOptions.begin(), kCallOptions.end(), option) != kCallOptions.end()) {
        return "option '" + option + "' is a call of its own, not an option to set";
    }
    if (std::find(kTableOptions.begin(), kTableOptions.end(), option) != kTableOptions.end()) {
        return "option '" + option + "' is not offered by the library: it adds a kind to the process's table";
    }
    const std::optional<bool> takesValue = OptionTakesValue(option);
    if (takesValue && *takesValue && !value) {
        return "option '" + option + "' needs a value";
    }
    if (takesValue && !*takesValue && value) {
        return "option '" + option + "' takes no value";
    }
    auto trial = options_;
    const auto same =
        std::find_if(trial.begin(), trial.end(), [&](const auto& o) { return o.first == option; });
    if (same != trial.end()) {
        trial.erase(same);
    }
    trial.emplace_back(option, value ? std::optional<std::string>(*value) : std::nullopt);
    // The companion itself judges the option, its value and how it goes with the others, on a
    // text of two characters.
    TLibraryOptions candidate;
    candidate.options_ = std::move(trial);
    const TCompanionRun run = RunCompanionInMemory(candidate.Arguments({"--", "AB"}), {}, nullptr);
    if (run.Status == 2) {
        return LibraryMessage(run.Err);
    }
    options_ = std::move(candidate.options_);
    return std::nullopt;
}

std::vector<std::string> TLibraryOptions::Arguments(const std::vector<std::string>& call) const {
    std::vector<std::string> args;
    for (const auto& [name, value] : options_) {
        args.push_back(value ? name + "=" + *value : name);
    }
    args.insert(args.end(), call.begin(), call.end());
    return args;
}

std::string LibraryMessage(std::string_view err) {
    std::string_view line = err.substr(0, err.find('\n'));
    constexpr std::string_view kProgram = "tintrel-html: ";
    if (line.starts_with(kProgram)) {
        line.remove_prefix(kProgram.size());
    }
    return line.empty() ? std::string("the call failed") : std::string(line);
}
