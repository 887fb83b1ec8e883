#include "engine/CodePage.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

extern char** environ;

namespace {

// The variables a run decides; every other one is the test's own.
const char* const kDecided[] = {"COLORTERM", "NO_COLOR", "FORCE_COLOR", "LC_ALL", "LC_CTYPE", "LANG"};
using TEnv = std::map<std::string, std::string>;

// Starts the built tintrel-html with its standard input, output and error on the descriptors
// given, in the environment with `env` set and the other decided variables unset.
pid_t Spawn(const std::vector<std::string>& args, int in, int out, int err, const TEnv& env) {
    std::vector<std::string> envStrings;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        const std::string entry(*variable);
        const std::string name = entry.substr(0, entry.find('='));
        if (std::find(std::begin(kDecided), std::end(kDecided), name) == std::end(kDecided)) {
            envStrings.push_back(entry);
        }
    }
    for (const auto& [name, value] : env) {
        envStrings.push_back(name + "=" + value);
    }
    std::vector<std::string> argStrings{TINTREL_HTML_PROGRAM};
    argStrings.insert(argStrings.end(), args.begin(), args.end());
    std::vector<char*> argv;
    std::vector<char*> envp;
    for (std::string& a : argStrings) {
        argv.push_back(a.data());
    }
    for (std::string& e : envStrings) {
        envp.push_back(e.data());
    }
    argv.push_back(nullptr);
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in, 0);
    posix_spawn_file_actions_adddup2(&actions, out, 1);
    posix_spawn_file_actions_adddup2(&actions, err, 2);
    // The test's other ends of the pipes stay out of the child, or its input would never end.
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    pid_t pid = -1;
    EXPECT_EQ(posix_spawn(&pid, TINTREL_HTML_PROGRAM, &actions, nullptr, argv.data(), envp.data()), 0);
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

int Wait(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Reads until `until` has been read or the writer has gone; gives up after 20 s without a byte
// (a line that never comes fails the test instead of hanging it).
std::string ReadFrom(int fd, std::string_view until = {}) {
    std::string got;
    char buffer[4096];
    for (;;) {
        pollfd ready{fd, POLLIN, 0};
        if (poll(&ready, 1, 20000) <= 0) {
            ADD_FAILURE() << "nothing to read; so far: " << got;
            return got;
        }
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0) {
            return got;
        }
        got.append(buffer, static_cast<std::size_t>(n));
        if (!until.empty() && got.find(until) != std::string::npos) {
            return got;
        }
    }
}

struct TResult {
    int status = -1;
    std::string out;
    std::string err;
};

// A run with `input` on standard input, standard output on a pseudo-terminal (raw, so that its
// bytes come back as written) or on a file.
TResult RunWith(const std::vector<std::string>& args, const std::string& input, bool terminal,
                const TEnv& env = {}) {
    const TTempFolder dir;
    WriteBytes(dir.File("in"), input);
    const int in = open(dir.File("in").c_str(), O_RDONLY);
    const int err = open(dir.File("err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    int master = -1;
    int out = -1;
    if (terminal) {
        master = posix_openpt(O_RDWR | O_NOCTTY);
        grantpt(master);
        unlockpt(master);
        out = open(ptsname(master), O_RDWR | O_NOCTTY);
        termios raw{};
        tcgetattr(out, &raw);
        cfmakeraw(&raw);
        tcsetattr(out, TCSANOW, &raw);
    } else {
        out = open(dir.File("out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    }
    TResult result;
    const pid_t pid = Spawn(args, in, out, err, env);
    close(in);
    close(err);
    if (terminal) {
        close(out);
        result.out = ReadFrom(master); // ends with EIO once the child has closed the terminal
        close(master);
    }
    result.status = Wait(pid);
    if (!terminal) {
        close(out);
        result.out = ReadBytes(dir.File("out"));
    }
    result.err = ReadBytes(dir.File("err"));
    return result;
}

const std::string kBasic16AB = "\x1b[91mA\x1b[93mB\x1b[0m\n";

struct DepthCase {
    const char* name;
    std::vector<std::string> args;
    bool terminal;
    TEnv env;
    std::vector<std::string> sameAs; // run to a file without the environment; empty: `literal`
    std::string literal;
};

// The term kind (and standard input to a terminal without --format) writes what the terminal
// shows: the output of the kind it amounts to.
TEST(CompanionTerminal, ColourDepthFollowsTheEnvironmentAndTheTerminal) {
    const std::vector<std::string> term = {"--format", "term", "-"};
    const std::vector<std::string> ansi = {"--format", "ansi", "-"};
    const std::vector<std::string> ansi256 = {"--format", "ansi256", "-"};
    const DepthCase cases[] = {
        {"TrueColourTerminal", term, true, {{"COLORTERM", "truecolor"}}, ansi, ""},
        {"Terminal24bit", term, true, {{"COLORTERM", "24bit"}}, ansi, ""},
        {"OtherTerminal", term, true, {}, ansi256, ""},
        {"NoColour", term, true, {{"COLORTERM", "truecolor"}, {"NO_COLOR", "1"}}, {}, "AB\n"},
        {"NotATerminal", term, false, {{"COLORTERM", "truecolor"}}, {}, "AB\n"},
        {"ForcedBasic16", term, false, {{"FORCE_COLOR", "1"}}, {}, kBasic16AB},
        {"ForcedWinsOverNoColour", term, false, {{"FORCE_COLOR", "3"}, {"NO_COLOR", "1"}}, ansi, ""},
        {"StandardInputToATerminal", {"-"}, true, {{"COLORTERM", "truecolor"}}, ansi, ""},
        {"StandardInputToAFile", {"-"}, false, {{"COLORTERM", "truecolor"}}, {"-"}, ""},
    };
    for (const DepthCase& c : cases) {
        const TResult run = RunWith(c.args, "AB\n", c.terminal, c.env);
        EXPECT_EQ(run.status, 0) << c.name << run.err;
        EXPECT_EQ(run.out, c.sameAs.empty() ? c.literal : RunWith(c.sameAs, "AB\n", false).out) << c.name;
    }
}

// The font kind's CP932 would show as nothing on a UTF-8 terminal: there it writes UTF-8 and
// says so; --cp932, a terminal of another locale and a file get the bytes.
TEST(CompanionTerminal, FontKindWritesUtf8ToAUtf8Terminal) {
    const std::string cp932 = RunWith({"表示"}, "", false).out;
    ASSERT_NE(cp932.find("\x95\x5C"), std::string::npos);
    const TResult utf8 = RunWith({"表示"}, "", true, {{"LANG", "ja_JP.UTF-8"}});
    EXPECT_EQ(utf8.out, Cp932ToUtf8(cp932));
    EXPECT_NE(utf8.err.find("--cp932"), std::string::npos) << utf8.err;
    EXPECT_EQ(RunWith({"--cp932", "表示"}, "", true, {{"LC_ALL", "C.UTF-8"}}).out, cp932);
    EXPECT_EQ(RunWith({"表示"}, "", true, {{"LANG", "ja_JP.SJIS"}}).out, cp932);
    EXPECT_EQ(RunWith({"表示"}, "", false, {{"LANG", "C.UTF-8"}}).out, cp932);
}

// A line is coloured and passed on as soon as its end is read, while the input stays open.
TEST(CompanionTerminal, ColoursEachLineAsItArrivesThroughPipes) {
    int in[2];
    int out[2];
    ASSERT_EQ(pipe(in), 0);
    ASSERT_EQ(pipe(out), 0);
    const pid_t pid = Spawn({"--format", "ansi", "-"}, in[0], out[1], STDERR_FILENO, {});
    close(in[0]);
    close(out[1]);
    ASSERT_EQ(write(in[1], "AB\n", 3), 3);
    EXPECT_EQ(ReadFrom(out[0], "\n"), "\x1b[38;2;255;0;0mA\x1b[38;2;255;255;0mB\x1b[0m\n");
    ASSERT_EQ(write(in[1], "A", 1), 1);
    close(in[1]);
    EXPECT_EQ(ReadFrom(out[0]), "\x1b[38;2;255;0;0mA\x1b[0m\n");
    close(out[0]);
    EXPECT_EQ(Wait(pid), 0);
}

// A reader that goes away (`| head`) ends the run quietly and successfully, in every kind.
TEST(CompanionTerminal, EndsQuietlyWhenTheReaderHasGone) {
    const TTempFolder dir;
    std::string lines;
    for (int k = 0; k < 20000; ++k) {
        lines += "a line of a long listing\n";
    }
    WriteBytes(dir.File("in"), lines);
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--format", "ansi", "-"},
                                                 {"--format", "css", "--text-file", dir.File("in")}}) {
        int out[2];
        ASSERT_EQ(pipe(out), 0);
        close(out[0]);
        const int in = open(dir.File("in").c_str(), O_RDONLY);
        const int err = open(dir.File("err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const pid_t pid = Spawn(args, in, out[1], err, {});
        close(out[1]);
        close(in);
        close(err);
        EXPECT_EQ(Wait(pid), 0) << args[1];
        EXPECT_EQ(ReadBytes(dir.File("err")), "") << args[1];
    }
}

// Without the colour codes and the line ends between them, one gradient across the lines is
// the gradient of the lines joined.
TEST(CompanionTerminal, AcrossLinesContinuesTheGradientFromLineToLine) {
    const auto codes = [](std::string text) {
        for (std::size_t at; (at = text.find("\x1b[0m\n")) != std::string::npos;) {
            text.erase(at, 5);
        }
        return text;
    };
    const TResult across =
        RunWith({"--format", "ansi", "--mode", "mirror", "--across-lines", "-"}, "ab\ncd\r\nef\n", false);
    EXPECT_EQ(across.status, 0) << across.err;
    EXPECT_EQ(std::count(across.out.begin(), across.out.end(), '\n'), 3);
    EXPECT_EQ(codes(across.out),
              codes(RunWith({"--format", "ansi", "--mode", "mirror", "abcdef"}, "", false).out));
}

// What newcomers type first means what they meant.
TEST(CompanionTerminal, AcceptsTheFormsNewcomersType) {
    const std::vector<std::pair<std::vector<std::string>, std::vector<std::string>>> same = {
        {{"-h"}, {"--help"}},
        {{"-V"}, {"--version"}},
        {{"--start", "#FF5500", "AB"}, {"--start", "FF5500", "AB"}},
        {{"--finish", "#F50", "AB"}, {"--finish", "FF5500", "AB"}},
        {{"--middle", "a0c", "--mode", "three", "ABC"}, {"--middle", "AA00CC", "--mode", "three", "ABC"}},
        {{"--background=#fff", "--table", "AB"}, {"--background", "FFFFFF", "--table", "AB"}},
    };
    for (const auto& [given, meant] : same) {
        const TResult run = RunWith(given, "", false);
        EXPECT_EQ(run.status, 0) << given[0] << run.err;
        EXPECT_EQ(run.out, RunWith(meant, "", false).out) << given[0];
    }
    const std::pair<const char*, const char*> misspelt[] = {{"--formt", "--format"},
                                                            {"--strat", "--start"},
                                                            {"-format", "--format"},
                                                            {"--acros-lines", "--across-lines"},
                                                            {"--formatxxx", "--format"}};
    for (const auto& [given, meant] : misspelt) {
        const TResult run = RunWith({given, "x"}, "", false);
        EXPECT_EQ(run.status, 2);
        EXPECT_NE(run.err.find(std::string("did you mean ") + meant + "?"), std::string::npos) << run.err;
    }
    EXPECT_EQ(RunWith({"--zzzzzz"}, "", false).err.find("did you mean"), std::string::npos);
    // A name as long as a text (the page passes what its link holds) is far from every option.
    EXPECT_EQ(RunWith({"--" + std::string(100000, 'x')}, "", false).err.find("did you mean"),
              std::string::npos);
}

} // namespace
