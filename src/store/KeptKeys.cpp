#include "store/KeptKeys.h"

#include "store/IniDocument.h"
#include "store/IniErrors.h"

namespace {

// A line the file holds but a write would refuse (a key without a name, "=x") is not kept: the
// save must not fail over it.
bool Writable(std::string_view section, std::string_view key, std::string_view value) {
    try {
        TIniDocument::CheckWritable(section, key, value);
        return true;
    } catch (const EIniRefusedError&) {
        return false;
    }
}

} // namespace

TKeptKeys KeysNotUnderstood(TIniGT& store, std::string_view section, TKeyUnderstood understood) {
    std::vector<std::string> lines;
    store.ReadSectionValues(section, lines);
    TKeptKeys kept;
    for (const std::string& line : lines) {
        const std::size_t equals = line.find('=');
        std::string key = line.substr(0, equals);
        std::string value = equals == std::string::npos ? std::string() : line.substr(equals + 1);
        if (!understood(key, value) && Writable(section, key, value)) {
            kept.emplace_back(std::move(key), std::move(value));
        }
    }
    return kept;
}

void WriteBackKeptKeys(TIniGT& store, std::string_view section, const TKeptKeys& kept) {
    for (const auto& [key, value] : kept) {
        if (!store.ValueExists(section, key)) {
            store.WriteString(section, key, value);
        }
    }
}
