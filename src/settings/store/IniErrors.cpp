#include "settings/store/IniErrors.h"

#include <utility>

EIniConvertError::EIniConvertError(std::string section, std::string key, std::string value,
                                   const std::string& problem)
    : EIniError(problem + " \"" + value + "\" in section [" + section + "], key \"" + key + "\""),
      section_(std::move(section)), key_(std::move(key)), value_(std::move(value)) {}

EIniFileError::EIniFileError(std::string path, const std::string& action, const std::string& reason)
    : EIniError("Cannot " + action + " \"" + path + "\": " + reason), path_(std::move(path)) {}
