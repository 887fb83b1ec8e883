#pragma once

#include "store/FileOps.h"

#include <memory>
#include <string>

// What the settings store needs to know about the running program and the user: where the
// program file is, where per-user configuration goes, and the file operations to save with.
// Tests make one of their own instead of the current one.
struct TIniEnvironment {
    // The running program's full path (the target of /proc/self/exe); empty when unknown.
    std::string ProgramPath;
    // $XDG_CONFIG_HOME when it is set to an absolute path, else $HOME/.config; no trailing "/".
    std::string ConfigHome;
    std::shared_ptr<TFileOps> FileOps = DefaultFileOps();

    static TIniEnvironment Current();
};

// The settings file name for a program file: its extension replaced by ".INI" (added when it has
// none), the whole name in lower case, an ASCII first letter in upper case. "tintrel",
// "TINTREL" and "tintrel.exe" all give "Tintrel.ini".
std::string DefaultIniFileName(const std::string& programPath);
