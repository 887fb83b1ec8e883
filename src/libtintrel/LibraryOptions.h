#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The options of a tintrel_options object: tintrel-html's options as its arguments, each set at
// most once, checked as they are set.
class TLibraryOptions {
public:
    // Sets `name` ("format" or "--format") to `value` (nullopt for a switch), replacing an earlier
    // value. Returns why it is refused, and then leaves the options as they were.
    std::optional<std::string> Set(std::string_view name, std::optional<std::string_view> value);
    void Reset() { options_.clear(); }

    // The companion's arguments: the options, then `call`'s own (--fit, --decode -, ...).
    std::vector<std::string> Arguments(const std::vector<std::string>& call) const;

    std::string LastError; // of the last call, "" after one that succeeded

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> options_; // "--name", value
};

// The first line of what the companion wrote on standard error, without its program name:
// a message for the caller of the library.
std::string LibraryMessage(std::string_view err);
