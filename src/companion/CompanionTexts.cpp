#include "companion/CompanionTexts.h"

#include "companion/CompanionIo.h"
#include "companion/CompanionOptions.h"
#include "companion/CompanionRefusal.h"
#include "engine/CodePage.h"
#include "engine/TextLanguage.h"
#include "engine/TextUnits.h"
#include "engine/Utf8.h"
#include "store/FileOps.h"
#include "store/IniErrors.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

namespace {

// A UTF-8 text as units; `what` names its source in the refusal of a text that is not UTF-8.
TUnitText UnitsOfUtf8(std::string_view what, std::string_view utf8) {
    CheckUtf8(what, utf8);
    return UnitTextFromUtf8(utf8);
}

// The text of --utf8-text-file: an editor's line end at the end of the file is not part of it.
TUnitText ReadUtf8TextFile(const std::string& name, std::size_t limit) {
    std::string text = ReadTextFile("--utf8-text-file", name, limit);
    if (text.ends_with("\r\n")) {
        text.resize(text.size() - 2);
    } else if (text.ends_with('\n')) {
        text.pop_back();
    }
    return UnitsOfUtf8("--utf8-text-file '" + name + "'", text);
}

// The first line of a text without its line end (LF or CR LF), and the number of lines.
std::pair<std::string_view, std::size_t> FirstLine(std::string_view text) {
    const std::size_t feed = text.find('\n');
    if (feed == std::string_view::npos) {
        return {text, text.empty() ? 0 : 1};
    }
    std::size_t lines = 1;
    for (std::size_t at = feed + 1; at < text.size(); ++lines) {
        const std::size_t next = text.find('\n', at);
        at = next == std::string_view::npos ? text.size() : next + 1;
    }
    std::string_view first = text.substr(0, feed);
    if (first.ends_with('\r')) {
        first.remove_suffix(1);
    }
    return {first, lines};
}

} // namespace

std::string DesktopLanguage(const std::function<const char*(const char* name)>& environment) {
    for (const char* variable : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = environment(variable);
        if (value == nullptr || *value == '\0') {
            continue;
        }
        const std::string_view name(value);
        return LocaleLanguage(name.substr(0, name.find(':'))).value_or("en");
    }
    return "en";
}

std::string TextUtf8(const TUnitText& text) {
    std::string utf8;
    for (TUnitWalk walk(text.Text, text.Clusters); !walk.AtEnd();) {
        utf8 += UnitUtf8(walk.Next());
    }
    return utf8;
}

std::string ReadTextFile(std::string_view option, const std::string& name, std::size_t limit) {
    TFileStamp stamp;
    std::string text;
    try {
        text = ReadFileBytes(name, stamp, limit);
    } catch (const EIniFileError& e) {
        if (e.ErrorCode() == EFBIG) {
            throw Refusal(option, " '", name, "' is too large (more than ", std::to_string(limit), " bytes)");
        }
        throw Refusal("cannot read ", option, " '", name, "': ", e.Reason());
    }
    if (!stamp.Exists) {
        throw Refusal("cannot read ", option, " '", name, "': ", std::strerror(ENOENT));
    }
    return text;
}

void CheckUtf8(std::string_view what, std::string_view utf8) {
    if (const std::optional<std::size_t> bad = FirstInvalidUtf8(utf8)) {
        char byte[8];
        std::snprintf(byte, sizeof byte, "0x%02X", static_cast<unsigned char>(utf8[*bad]));
        throw Refusal(what, " is not valid UTF-8: the byte ", byte, " at byte offset ", std::to_string(*bad),
                      " (counting from 0)");
    }
}

TUnitText TextOf(const TCompanionOptions& o) {
    if (o.textFile) {
        return {ReadTextFile("--text-file", *o.textFile, o.inputLimit), {}};
    }
    if (o.utf8TextFile) {
        return ReadUtf8TextFile(*o.utf8TextFile, o.inputLimit);
    }
    return UnitsOfUtf8("TEXT", o.text.value_or("Tintrel"));
}

std::string ReadStandardInput(TCompanionInput& in, std::size_t limit) {
    TLimitedInput limited(in, limit);
    std::string text;
    std::string buffer(65536, '\0');
    for (std::size_t got; (got = limited.Read(buffer.data(), buffer.size())) > 0;) {
        text.append(buffer, 0, got);
    }
    return text;
}

TUnitText StandardInputFirstLine(TCompanionInput& in, std::size_t limit, bool cp932, TOutputSink& err) {
    const std::string input = ReadStandardInput(in, limit);
    const auto [line, lines] = FirstLine(input);
    if (lines > 1) {
        err.Write(Refusal("standard input held ", std::to_string(lines),
                          " lines; only the first is written (", EveryLineKinds(), " colour every line)")
                      .message +
                  "\n");
    }
    if (cp932) {
        return {std::string(line), {}};
    }
    if (const std::optional<std::size_t> bad = FirstInvalidUtf8(line)) {
        err.Write(Refusal("standard input is not valid UTF-8 from byte offset ", std::to_string(*bad),
                          "; such bytes are written as U+FFFD")
                      .message +
                  "\n");
    }
    return UnitTextFromUtf8(line);
}

std::string LinesOfTextOrFile(const TCompanionOptions& o, bool& cp932) {
    if (o.textFile) {
        cp932 = true;
        return ReadTextFile("--text-file", *o.textFile, o.inputLimit);
    }
    if (o.utf8TextFile) {
        std::string utf8 = ReadTextFile("--utf8-text-file", *o.utf8TextFile, o.inputLimit);
        CheckUtf8("--utf8-text-file '" + *o.utf8TextFile + "'", utf8);
        return utf8;
    }
    CheckUtf8("TEXT", o.text.value_or("Tintrel"));
    return o.text.value_or("Tintrel");
}
