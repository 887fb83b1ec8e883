#pragma once

#include "store/IniGT.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The keys of a section that the program does not understand: names it does not know, and known
// names whose value it cannot read. A save that writes the section anew puts them back as they
// were, so a file written by a newer copy of the program, or edited by hand, keeps them.

// Whether the program reads the key, with this value, as one of its own.
using TKeyUnderstood = bool (*)(std::string_view key, std::string_view value);
using TKeptKeys = std::vector<std::pair<std::string, std::string>>;

// The section's keys that `understood` does not take, in file order.
TKeptKeys KeysNotUnderstood(TIniGT& store, std::string_view section, TKeyUnderstood understood);
// Writes each kept key that the section does not hold now, after the section's other keys. A key
// the save has written meanwhile (a new choice of the user's) is not touched.
void WriteBackKeptKeys(TIniGT& store, std::string_view section, const TKeptKeys& kept);
