// A terminal animation on a pseudo-terminal, stopped by Ctrl+C or a terminate signal: the
// terminal is given back with its cursor shown and its colours reset.

#include <gtest/gtest.h>

#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <string>

namespace {

constexpr std::string_view kHide = "\x1b[?25l";
constexpr std::string_view kGivenBack = "\x1b[0m\x1b[?25h\r\n"; // the terminal writes a line end as CR LF

// Reads what the terminal shows until `until` appears or the program has gone (20 s at most).
void ReadUntil(int fd, std::string& got, std::string_view until) {
    char buffer[4096];
    while (until.empty() || got.find(until) == std::string::npos) {
        pollfd ready{fd, POLLIN, 0};
        if (poll(&ready, 1, 20000) <= 0) {
            ADD_FAILURE() << "the terminal stayed silent; so far: " << got;
            return;
        }
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0) {
            return; // the program has gone
        }
        got.append(buffer, static_cast<std::size_t>(n));
    }
}

TEST(AnimationTerminal, AStopSignalGivesTheTerminalBack) {
    for (const int signal : {SIGTERM, SIGINT}) {
        int terminal = -1;
        const pid_t pid = forkpty(&terminal, nullptr, nullptr, nullptr);
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            setenv("COLORTERM", "truecolor", 1);
            unsetenv("NO_COLOR");
            execl(TINTREL_HTML_PROGRAM, TINTREL_HTML_PROGRAM, "--format", "term", "--animate", "rainbow",
                  "--duration", "60", "Hello", static_cast<char*>(nullptr));
            _exit(127);
        }
        std::string shown;
        // The cursor hidden and a frame drawn over the line: the animation runs.
        ReadUntil(terminal, shown, kHide);
        ReadUntil(terminal, shown, "\r\x1b[");
        kill(pid, signal);
        ReadUntil(terminal, shown, {});
        int status = 0;
        waitpid(pid, &status, 0);
        close(terminal);
        ASSERT_GE(shown.size(), kGivenBack.size());
        EXPECT_EQ(shown.substr(shown.size() - kGivenBack.size()), kGivenBack) << signal;
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 128 + signal) << signal;
    }
}

} // namespace
