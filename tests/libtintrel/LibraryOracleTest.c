/* The C interface against the companion: for a table of option sets and random texts, every
 * call gives the bytes and the status that tintrel-html gives for the same options; separate
 * objects give the same from several threads at once; bad input is refused with a message. */
#define _GNU_SOURCE
#include "tintrel.h"

#include <ctype.h>
#include <fcntl.h>
#include <pthread.h>
#include <spawn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <unistd.h>

#include "Expect.h"

typedef struct {
    const char* name;
    const char* value;
} option;

typedef struct {
    const char* label;
    option options[4];
} option_set;

/* Names with and without their dashes; switches and values; every family of kinds. */
static const option_set kSets[] = {
    {"font", {{0}}},
    {"font in UTF-8, bold, table", {{"utf8", NULL}, {"--bold", NULL}, {"table", NULL}}},
    {"css page in English", {{"format", "css"}, {"page", NULL}, {"lang", "en"}}},
    {"ansi over stops in oklch",
     {{"format", "ansi"}, {"space", "oklch"}, {"stops", "FF0000,00FF00@30,0000FF"}}},
    {"ansi256 mirrored", {{"format", "ansi256"}, {"mode", "mirror"}}},
    {"minimessage in 60", {{"--format", "minimessage"}, {"budget", "60"}}},
    {"json rainbow", {{"format", "json"}, {"phase", "90"}}},
    {"bbcode in three colours", {{"format", "bbcode"}, {"mode", "three"}, {"middle", "00FF00"}}},
    {"irc with hex", {{"format", "irc"}, {"irc-hex", NULL}}},
    {"section-x", {{"format", "section-x"}, {"start", "#123"}}},
    {"pango italic", {{"format", "pango"}, {"italic", NULL}, {"background", "000000"}}},
    {"discord", {{"format", "discord"}}},
};
enum { kSetCount = sizeof kSets / sizeof kSets[0] };

typedef struct {
    int status;
    char* out;
    size_t out_length;
    char* err;
} run;

static char* read_file(const char* name, size_t* length) {
    FILE* file = fopen(name, "rb");
    char* bytes = malloc(1 << 20);
    *length = fread(bytes, 1, (1 << 20) - 1, file);
    bytes[*length] = '\0';
    fclose(file);
    return bytes;
}

/* tintrel-html with the set's options (name and value as two arguments, dashes added), `flag`,
 * then `text` after "--", `input` on standard input and no environment but the sanitizers'. */
static run companion(const option_set* set, const char* flag, const char* text, const char* input) {
    char in[] = "/tmp/tintrel-lib-in-XXXXXX", out[] = "/tmp/tintrel-lib-out-XXXXXX",
         err[] = "/tmp/tintrel-lib-err-XXXXXX";
    close(mkstemp(out));
    close(mkstemp(err));
    const int in_fd = mkstemp(in);
    if (write(in_fd, input, strlen(input)) < 0) {
        perror("input");
    }
    close(in_fd);
    const char* argv[16] = {TINTREL_HTML_PROGRAM};
    char names[4][64];
    int argc = 1;
    for (int k = 0; set->options[k].name != NULL; ++k) {
        const char* name = set->options[k].name;
        snprintf(names[k], sizeof names[k], "%s%s", strncmp(name, "--", 2) == 0 ? "" : "--", name);
        argv[argc++] = names[k];
        if (set->options[k].value != NULL) {
            argv[argc++] = set->options[k].value;
        }
    }
    const char* const tail[] = {flag, "--", text};
    for (int k = flag == NULL ? 1 : 0; k < 3 && tail[k] != NULL; ++k) {
        argv[argc++] = tail[k];
    }
    char lsan[512] = "LSAN_OPTIONS=";
    strncat(lsan, getenv("LSAN_OPTIONS") != NULL ? getenv("LSAN_OPTIONS") : "", sizeof lsan - 14);
    char* const environment[] = {lsan, NULL};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, in, O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out, O_WRONLY | O_TRUNC, 0);
    posix_spawn_file_actions_addopen(&actions, 2, err, O_WRONLY | O_TRUNC, 0);
    run result = {-1, NULL, 0, NULL};
    pid_t pid;
    int status = 0;
    if (posix_spawn(&pid, TINTREL_HTML_PROGRAM, &actions, NULL, (char* const*)argv, environment) == 0 &&
        waitpid(pid, &status, 0) == pid && WIFEXITED(status)) {
        result.status = WEXITSTATUS(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    size_t ignored;
    result.out = read_file(out, &result.out_length);
    result.err = read_file(err, &ignored);
    unlink(in);
    unlink(out);
    unlink(err);
    return result;
}

static tintrel_options* options_for(const option_set* set) {
    tintrel_options* options = tintrel_options_new();
    for (const option* o = set->options; o->name != NULL; ++o) {
        const tintrel_status status = tintrel_set(options, o->name, o->value);
        EXPECT(status == TINTREL_OK, "%s: %s refused: %s", set->label, o->name, tintrel_last_error(options));
    }
    return options;
}

/* A text of up to 24 characters from a pool of markup, wide, joined and combining characters. */
static void random_text(unsigned* seed, char* text) {
    static const char* const kPool[] = {"a",
                                        "Z",
                                        " ",
                                        "<",
                                        "&",
                                        "\"",
                                        "\xC3\xA9",
                                        "\xE3\x81\x82",
                                        "\xF0\x9F\x98\x80",
                                        "e\xCC\x81",
                                        "\xE2\x82\xAC",
                                        "-",
                                        "\n",
                                        "\xF0\x9F\x87\xAF\xF0\x9F\x87\xB5"};
    text[0] = '\0';
    const int length = rand_r(seed) % 25;
    for (int k = 0; k < length; ++k) {
        strcat(text, kPool[rand_r(seed) % (int)(sizeof kPool / sizeof kPool[0])]);
    }
}

/* Each call with the companion's flag that does the same; count's answer is on standard error. */
static const char* const kFlags[] = {NULL, "--fit", "--check-contrast", "--decode", "--count"};

static tintrel_status call(tintrel_options* options, int k, const char* text, char** output, size_t* length) {
    size_t budget = 0;
    switch (k) {
    case 0:
        return tintrel_write(options, text, NULL, output, length);
    case 1:
        return tintrel_fit(options, text, output, length);
    case 2:
        return tintrel_check_contrast(options, text, output, length);
    case 3:
        return tintrel_decode(options, text, output, length);
    default: {
        const tintrel_status status = tintrel_count(options, text, length, &budget);
        *output = malloc(64);
        snprintf(*output, 64, budget > 0 ? "%zu / %zu" : "%zu", *length, budget);
        return status;
    }
    }
}

static void compare_with_companion(const option_set* set, const char* text) {
    tintrel_options* options = options_for(set);
    char* written = NULL;
    size_t length = 0;
    for (int k = 0; k < 5; ++k) {
        /* decode reads what write wrote (UTF-8 kinds only), from standard input as "--decode -". */
        const char* input = k == 3 ? written : text;
        if (k == 3 && (input == NULL || strncmp(set->label, "font", 4) == 0)) {
            continue;
        }
        char* output = NULL;
        const tintrel_status status = call(options, k, input, &output, &length);
        const run oracle = k == 3 ? companion(set, "--decode", "-", input)
                                  : companion(set, kFlags[k], text, strcmp(text, "-") == 0 ? "-" : "");
        EXPECT((int)status == oracle.status, "%s, %s, \"%s\": status %d, the companion's %d (%s)", kFlags[k],
               set->label, text, status, oracle.status, oracle.err);
        /* count: the library's "L / B" (or "L" without a budget) starts the companion's line, its unit after
         * it.
         */
        const char* expected = k == 4 ? oracle.err : oracle.out;
        const size_t expected_length = k == 4 ? (output != NULL ? strlen(output) : 0) : oracle.out_length;
        if (output != NULL && (k != 4 || isdigit((unsigned char)oracle.err[0]))) {
            EXPECT(strncmp(output, expected, expected_length) == 0 &&
                       (k == 4 ? (expected[expected_length] == ' ' &&
                                  isalpha((unsigned char)expected[expected_length + 1]))
                               : length == expected_length),
                   "%s, %s, \"%s\": other bytes than the companion's", kFlags[k], set->label, text);
        }
        free(oracle.out);
        free(oracle.err);
        if (k == 0) {
            written = output;
        } else {
            free(output);
        }
    }
    tintrel_free(written);
    tintrel_options_free(options);
}

/* Each thread writes every set's text with objects of its own, against the answers found
 * before the threads started. */
static char* kExpected[kSetCount];

static void* write_every_set(void* unused) {
    (void)unused;
    for (int round = 0; round < 3; ++round) {
        for (int k = 0; k < kSetCount; ++k) {
            tintrel_options* options = options_for(&kSets[k]);
            char* output = NULL;
            tintrel_write(options, "Threads \xE3\x81\x82 apart", NULL, &output, NULL);
            EXPECT(output != NULL && strcmp(output, kExpected[k]) == 0, "thread, %s: other bytes",
                   kSets[k].label);
            tintrel_free(output);
            tintrel_options_free(options);
        }
    }
    return NULL;
}

static void threads_write_what_one_writes(void) {
    for (int k = 0; k < kSetCount; ++k) {
        tintrel_options* options = options_for(&kSets[k]);
        tintrel_write(options, "Threads \xE3\x81\x82 apart", NULL, &kExpected[k], NULL);
        tintrel_options_free(options);
    }
    pthread_t threads[4];
    for (int k = 0; k < 4; ++k) {
        pthread_create(&threads[k], NULL, write_every_set, NULL);
    }
    for (int k = 0; k < 4; ++k) {
        pthread_join(threads[k], NULL);
    }
    for (int k = 0; k < kSetCount; ++k) {
        tintrel_free(kExpected[k]);
    }
}

int main(void) {
    unsigned seed = 36;
    char text[256];
    static const char* const kFixed[] = {"Tintrel", "-", "a", "", "--bold", "line one\nline two"};
    for (int k = 0; k < kSetCount; ++k) {
        for (size_t f = 0; f < sizeof kFixed / sizeof kFixed[0]; ++f) {
            compare_with_companion(&kSets[k], kFixed[f]);
        }
        for (int r = 0; r < 3; ++r) {
            random_text(&seed, text);
            compare_with_companion(&kSets[k], text);
        }
    }
    threads_write_what_one_writes();
    printf("%s\n",
           failures == 0 ? "every call wrote the companion's bytes" : "calls differ from the companion");
    return failures == 0 ? 0 : 1;
}
