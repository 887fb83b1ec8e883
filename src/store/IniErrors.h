#pragma once

#include "store/FileEncoding.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

// Everything the settings store raises derives from EIniError. Messages are English and valid
// UTF-8: Shift-JIS names and values are converted, other bytes that are not text are written as
// \xNN, so a message can go to a terminal as it is.
class EIniError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A stored value that cannot be converted (a bad hexadecimal value, a corrupt list count).
// Section, key and value are kept as stored (Shift-JIS).
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

// Why a file could not be read or written, beyond the system's error number.
enum class TFileProblem : std::uint8_t {
    System,          // ErrorCode() tells
    NotRegularFile,  // a device, FIFO, socket or folder stands where the file should be
    ReadOnly,        // the file has no owner write permission
    Encoding,        // the text cannot be read or written in its encoding: EncodingProblem() tells
    ChangedMeanwhile // another program saved the file while this save was being made
};

// The settings file or a style file could not be read or written. The message names the file and
// the reason.
class EIniFileError : public EIniError {
public:
    EIniFileError(std::string path, const std::string& action, const std::string& reason, int errorCode = 0,
                  TFileProblem problem = TFileProblem::System);
    // A problem of the file's encoding (TFileProblem::Encoding).
    EIniFileError(std::string path, const std::string& action, const std::string& reason,
                  TEncodingProblem cause);

    // The path as given (bytes of the file system).
    const std::string& Path() const { return path_; }
    // "read" or "save".
    const std::string& Action() const { return action_; }
    // The reason in English, valid UTF-8.
    const std::string& Reason() const { return reason_; }
    // The system's error number, 0 when the problem is not one of the system's.
    int ErrorCode() const { return errorCode_; }
    TFileProblem Problem() const { return problem_; }
    TEncodingProblem EncodingProblem() const { return encodingProblem_; }

private:
    std::string path_;
    std::string action_;
    std::string reason_;
    int errorCode_;
    TFileProblem problem_;
    TEncodingProblem encodingProblem_ = TEncodingProblem::None;
};

// A file name for a message: valid UTF-8 stays, control characters and bytes that are not UTF-8
// become \xNN.
std::string PrintableFileName(std::string_view path);
// A Shift-JIS name or value for a message, converted to UTF-8, control characters as \xNN.
std::string PrintableCp932(std::string_view text);
