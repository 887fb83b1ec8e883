#pragma once

#include <istream>
#include <string>
#include <vector>

// The command-line companion tintrel-html: the HTML text (or the sample page) for a text and an
// option set, exactly as the program puts it on the clipboard or in the page file.
//
// Runs with `args` (the arguments after the program name). The bytes for standard output go to
// `out`, messages for standard error to `err`. Returns the exit status: 0, or 2 for a bad
// option or value (then `out` stays empty and `err` holds one line naming it). `err` may also
// hold notes when the status is 0 (lines of standard input left out, characters replaced).
int RunHtmlCompanion(const std::vector<std::string>& args, std::string& out, std::string& err);
// The same with standard input read from `in` (for a TEXT of - and --text-file -); the one
// above reads the process's standard input.
int RunHtmlCompanion(const std::vector<std::string>& args, std::istream& in, std::string& out,
                     std::string& err);
