/* The C interface against the companion: for a table of option sets and random texts, every
 * call gives the bytes and the status that tintrel-html gives for the same options; separate
 * objects give the same from several threads at once; bad input is refused with a message. */
#define _GNU_SOURCE
#include "tintrel.h"

#include <fcntl.h>
#include <pthread.h>
#include <spawn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <unistd.h>

static int failures;

#define EXPECT(condition, ...)                                                                               \
    do {                                                                                                     \
        if (!(condition)) {                                                                                  \
            ++failures;                                                                                      \
            fprintf(stderr, "%s:%d: ", __FILE__, __LINE__);                                                  \
            fprintf(stderr, __VA_ARGS__);                                                                    \
            fputc('\n', stderr);                                                                             \
        }                                                                                                    \
    } while (0)

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

static char* const kNoEnvironment[] = {NULL};

typedef struct {
    int status;
    char* out;
    size_t out_length;
    char* err;
} run;

static char* read_file(const char* name, size_t* length) {
    FILE* file = fopen(name, "rb");
    fseek(file, 0, SEEK_END);
    const long size = ftell(file);
    rewind(file);
    char* bytes = malloc((size_t)size + 1);
    *length = fread(bytes, 1, (size_t)size, file);
    bytes[*length] = '\0';
    fclose(file);
    return bytes;
}

/* tintrel-html with the set's options (name and value as two arguments), `call`'s arguments,
 * then `text` after "--" (none when NULL), `input` on standard input, and no environment. */
static run companion(const option_set* set, const char* const* call, const char* text, const char* input) {
    char folder[] = "/tmp/tintrel-lib-XXXXXX";
    mkdtemp(folder);
    char in[64], out[64], err[64];
    snprintf(in, sizeof in, "%s/in", folder);
    snprintf(out, sizeof out, "%s/out", folder);
    snprintf(err, sizeof err, "%s/err", folder);
    FILE* file = fopen(in, "wb");
    fputs(input, file);
    fclose(file);
    const char* argv[32] = {TINTREL_HTML_PROGRAM};
    int argc = 1;
    for (const option* o = set->options; o->name != NULL; ++o) {
        argv[argc++] = o->name;
        if (o->value != NULL) {
            argv[argc++] = o->value;
        }
    }
    for (; *call != NULL; ++call) {
        argv[argc++] = *call;
    }
    if (text != NULL) {
        argv[argc++] = "--";
        argv[argc++] = text;
    }
    /* Dashes are added to the bare names, as the library adds them. */
    char named[32][64];
    for (int k = 1; k < argc; ++k) {
        for (const option* o = set->options; o->name != NULL; ++o) {
            if (argv[k] == o->name && strncmp(o->name, "--", 2) != 0) {
                snprintf(named[k], sizeof named[k], "--%s", o->name);
                argv[k] = named[k];
            }
        }
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, in, O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out, O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, err, O_WRONLY | O_CREAT | O_TRUNC, 0600);
    /* The sanitizers' settings pass; nothing the companion reads does. */
    char* environment[4] = {NULL};
    int count = 0;
    const char* const kPassed[] = {"ASAN_OPTIONS", "LSAN_OPTIONS", "UBSAN_OPTIONS"};
    char settings[3][512];
    for (int k = 0; k < 3; ++k) {
        if (getenv(kPassed[k]) != NULL) {
            snprintf(settings[k], sizeof settings[k], "%s=%s", kPassed[k], getenv(kPassed[k]));
            environment[count++] = settings[k];
        }
    }
    run result = {-1, NULL, 0, NULL};
    pid_t pid;
    if (posix_spawn(&pid, TINTREL_HTML_PROGRAM, &actions, NULL, (char* const*)argv,
                    count > 0 ? environment : kNoEnvironment) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    size_t ignored;
    result.out = read_file(out, &result.out_length);
    result.err = read_file(err, &ignored);
    unlink(in);
    unlink(out);
    unlink(err);
    rmdir(folder);
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

static void expect_same(const char* what, const option_set* set, const char* text, tintrel_status status,
                        const char* bytes, size_t length, const run* oracle) {
    EXPECT((int)status == oracle->status, "%s, %s, \"%s\": status %d, the companion's %d (%s)", what,
           set->label, text, status, oracle->status, oracle->err);
    if (bytes != NULL) {
        EXPECT(length == oracle->out_length && memcmp(bytes, oracle->out, length) == 0,
               "%s, %s, \"%s\": other bytes than the companion's", what, set->label, text);
    }
}

static void compare_with_companion(const option_set* set, const char* text) {
    tintrel_options* options = options_for(set);
    char* output = NULL;
    size_t length = 0;
    static const char* const kWrite[] = {NULL};
    tintrel_status status = tintrel_write(options, text, NULL, &output, &length);
    run oracle = companion(set, kWrite, text, "-");
    expect_same("write", set, text, status, output, length, &oracle);

    /* What was written reads back as the companion reads it. */
    if (output != NULL) {
        char* decoded = NULL;
        static const char* const kDecode[] = {"--decode", "-", NULL};
        const tintrel_status read = tintrel_decode(options, output, &decoded, &length);
        run reading = companion(set, kDecode, NULL, output);
        if (memchr(output, '\0', length) == NULL && strstr(set->label, "font") == NULL) {
            expect_same("decode", set, output, read, decoded, length, &reading);
        }
        free(reading.out);
        free(reading.err);
        tintrel_free(decoded);
    }
    tintrel_free(output);
    free(oracle.out);
    free(oracle.err);

    static const char* const kFit[] = {"--fit", NULL};
    status = tintrel_fit(options, text, &output, &length);
    oracle = companion(set, kFit, text, "-");
    expect_same("fit", set, text, status, output, length, &oracle);
    tintrel_free(output);
    free(oracle.out);
    free(oracle.err);

    static const char* const kContrast[] = {"--check-contrast", NULL};
    status = tintrel_check_contrast(options, text, &output, &length);
    oracle = companion(set, kContrast, text, "-");
    expect_same("check contrast", set, text, status, output, length, &oracle);
    tintrel_free(output);
    free(oracle.out);
    free(oracle.err);

    static const char* const kCount[] = {"--count", NULL};
    size_t counted = 0, budget = 0;
    status = tintrel_count(options, text, &counted, &budget);
    oracle = companion(set, kCount, text, "-");
    expect_same("count", set, text, status, NULL, 0, &oracle);
    unsigned long saidLength = 0, saidBudget = 0;
    const int said = sscanf(oracle.err, "%lu / %lu", &saidLength, &saidBudget);
    if (said >= 1) {
        EXPECT(counted == saidLength && budget == saidBudget,
               "count, %s, \"%s\": %zu / %zu, the companion's %s", set->label, text, counted, budget,
               oracle.err);
    }
    free(oracle.out);
    free(oracle.err);
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
