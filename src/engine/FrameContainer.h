#pragma once

#include "engine/OutputSink.h"

#include <optional>
#include <string>
#include <string_view>

// How the frames of an animation are written out: each on a line of its own, or in the file of
// the program that plays them (a TAB plugin animation, a Velocitab header or footer, a JSON
// array). The frames go out as they are made, so a long animation never stands whole in memory.
enum class TFrameContainer { Lines, Tab, Velocitab, Json };

std::optional<TFrameContainer> FrameContainerFromName(std::string_view name);
// "lines, tab, velocitab or json".
std::string_view FrameContainerNames();

// A frame as a YAML double-quoted scalar and as a JSON string: quotes, backslashes and control
// characters escaped, everything else (UTF-8) as it is.
std::string YamlQuoted(std::string_view utf8);
std::string JsonQuoted(std::string_view utf8);

class TFrameWriter {
public:
    // `name` is the TAB animation's name, `interval` its milliseconds between frames.
    TFrameWriter(TFrameContainer container, TOutputSink& out, std::string_view name, int interval);
    // The next frame: one line of output text (UTF-8 in every container but lines).
    void Frame(std::string_view frame);
    // What closes the container.
    void Finish();

private:
    TFrameContainer container_;
    TOutputSink& out_;
    bool first_ = true;
};
