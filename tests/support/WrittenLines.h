#pragma once

#include <initializer_list>
#include <string>

// The bytes the program writes for these lines of expected output: each line followed by CR LF,
// the line end of every text it writes. The expected output of a test then reads line by line.
inline std::string Written(std::initializer_list<std::string> lines) {
    std::string written;
    for (const std::string& line : lines) {
        written += line + "\r\n";
    }
    return written;
}
