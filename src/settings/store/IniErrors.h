#pragma once

#include <stdexcept>
#include <string>

// Everything the settings store raises derives from EIniError.
class EIniError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A stored value that cannot be converted (a bad hexadecimal value, a corrupt list count).
class EIniConvertError : public EIniError {
public:
    EIniConvertError(std::string section, std::string key, std::string value, const std::string& problem);

    const std::string& Section() const { return section_; }
    const std::string& Key() const { return key_; }
    const std::string& Value() const { return value_; }

private:
    std::string section_;
    std::string key_;
    std::string value_;
};

// A write that the file format cannot hold: it would read back as another key or section.
class EIniRefusedError : public EIniError {
public:
    using EIniError::EIniError;
};

// The settings file or a style file could not be read or written. The message names the file and
// the reason.
class EIniFileError : public EIniError {
public:
    EIniFileError(std::string path, const std::string& action, const std::string& reason);

    const std::string& Path() const { return path_; }

private:
    std::string path_;
};
