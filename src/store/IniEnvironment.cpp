#include "store/IniEnvironment.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <string_view>
#include <vector>

namespace {

std::string ProgramFile() {
    std::vector<char> buffer(4096);
    while (true) {
        const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0) {
            return {};
        }
        if (static_cast<std::size_t>(length) < buffer.size()) {
            return std::string(buffer.data(), static_cast<std::size_t>(length));
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') {
        return home;
    }
    const passwd* user = ::getpwuid(::getuid());
    return (user != nullptr && user->pw_dir != nullptr) ? user->pw_dir : "";
}

std::string WithoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

} // namespace

TIniEnvironment TIniEnvironment::Current() {
    TIniEnvironment environment;
    environment.ProgramPath = ProgramFile();
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    if (configHome != nullptr && configHome[0] == '/') {
        environment.ConfigHome = WithoutTrailingSlashes(configHome);
    } else {
        const std::string home = HomeFolder();
        environment.ConfigHome = home.empty() ? std::string() : WithoutTrailingSlashes(home) + "/.config";
    }
    return environment;
}

std::string DefaultIniFileName(const std::string& programPath) {
    std::string name = programPath.substr(programPath.rfind('/') + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos) {
        name.erase(dot);
    }
    name += ".INI";
    for (char& c : name) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    if (name.front() >= 'a' && name.front() <= 'z') {
        name.front() = static_cast<char>(name.front() - 'a' + 'A');
    }
    return name;
}
