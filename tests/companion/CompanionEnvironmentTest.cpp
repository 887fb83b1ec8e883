// The desktop's language comes from the companion's own environment, as its colours and locale
// do: what the caller hands in, never the process's variables behind its back.

#include "companion/CompanionIo.h"
#include "companion/HtmlCompanion.h"

#include "engine/OutputSink.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The language attribute the output declares after `mark`.
std::string Declared(const std::string& out, const std::string& mark) {
    const std::size_t at = out.find(mark);
    if (at == std::string::npos) {
        return "(none in " + out + ")";
    }
    const std::size_t start = at + mark.size();
    return out.substr(start, out.find('"', start) - start);
}

TEST(CompanionEnvironment, TheDesktopLanguageIsReadFromTheGivenEnvironment) {
    const struct {
        std::map<std::string, std::string> environment;
        std::string expected;
    } cases[] = {
        {{}, "en"},
        {{{"LANG", "fr_FR.UTF-8"}}, "fr"},
        {{{"LANG", "fr_FR.UTF-8"}, {"LC_MESSAGES", "de_DE.UTF-8"}}, "de"},
        {{{"LANG", "fr_FR.UTF-8"}, {"LC_ALL", "it_IT.UTF-8"}, {"LC_MESSAGES", "de_DE.UTF-8"}}, "it"},
        {{{"LANG", "fr_FR.UTF-8"}, {"LANGUAGE", "nl:fr"}}, "nl"},
        // An empty variable is passed over, as an unset one.
        {{{"LANG", "fr_FR.UTF-8"}, {"LANGUAGE", ""}}, "fr"},
    };
    // The process's own variables say something else, which must not show.
    const char* before = std::getenv("LANGUAGE");
    const std::string saved = before != nullptr ? before : "";
    setenv("LANGUAGE", "sv", 1);
    for (const auto& c : cases) {
        for (const bool page : {false, true}) {
            std::vector<std::string> args{"--format", "css", "Hello world"};
            if (page) {
                args.insert(args.begin(), "--page");
            }
            std::istringstream noInput;
            TStreamInput in(noInput);
            std::string out;
            std::string err;
            TStringSink outSink(out);
            TStringSink errSink(err);
            TCompanionIo io{in, outSink, errSink, false, [&](const char* name) -> const char* {
                                const auto found = c.environment.find(name);
                                return found == c.environment.end() ? nullptr : found->second.c_str();
                            }};
            ASSERT_EQ(RunHtmlCompanion(args, io), 0) << err;
            EXPECT_EQ(Declared(out, page ? "<HTML LANG=\"" : "<SPAN LANG=\""), c.expected)
                << c.expected << (page ? " (page)" : "");
        }
    }
    if (before != nullptr) {
        setenv("LANGUAGE", saved.c_str(), 1);
    } else {
        unsetenv("LANGUAGE");
    }
}

} // namespace
