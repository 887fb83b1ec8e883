/* Bad input to every entry point: refused with TINTREL_BAD_INPUT and a message, no output, the
 * object as it was. */
#include "tintrel.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "Expect.h"

typedef struct {
    const char* label;
    const char* name;
    const char* value;
    const char* message; /* a part of the message */
} refused_option;

static const refused_option kRefusedOptions[] = {
    {"an unknown option", "bogus", NULL, "unknown option"},
    {"a misspelt option, with the one it means", "--formt", "ansi", "--format"},
    {"an unknown kind", "format", "nosuch", "nosuch"},
    {"a colour that is not one", "start", "GG0000", "GG0000"},
    {"a size step past 4", "size", "5", "5"},
    {"a value for a switch", "bold", "yes", "takes no value"},
    {"no value for an option that needs one", "format", NULL, "needs a value"},
    {"a call's own option", "decode", NULL, "call of its own"},
    {"the end of the options", "--", NULL, "call of its own"},
    {"a template, which adds a kind to the process's table", "template", "{HEX}{char}", "not offered by the library"},
    {"a name of dashes only", "---", NULL, "unknown option"},
    {"an empty name", "", NULL, "unknown option"},
    {"a name that is not UTF-8", "form\xC3", "ansi", "UTF-8"},
    {"a value that is not UTF-8", "face", "\xED\xA0\x80", "UTF-8"},
    {"a null name", NULL, NULL, "null pointer"},
};

typedef struct {
    const char* label;
    const char* text;
    const char* format;
    const char* message;
} refused_text;

static const refused_text kRefusedTexts[] = {
    {"a null text", NULL, NULL, "null pointer"},
    {"a cut sequence", "ab\xC3", NULL, "UTF-8"},
    {"an overlong slash", "a\xC0\xAF", NULL, "UTF-8"},
    {"an encoded surrogate", "\xED\xA0\x80z", NULL, "UTF-8"},
    {"a code point past U+10FFFF", "\xF4\x90\x80\x80", NULL, "UTF-8"},
    {"an unknown kind", "Tintrel", "nosuch", "nosuch"},
    {"a kind that is not UTF-8", "Tintrel", "ans\xFF", "UTF-8"},
};

static void expect_refused(tintrel_options* options, tintrel_status status, const char* label,
                           const char* message) {
    EXPECT(status == TINTREL_BAD_INPUT, "%s: status %d", label, status);
    EXPECT(strstr(tintrel_last_error(options), message) != NULL, "%s: message \"%s\" does not say \"%s\"",
           label, tintrel_last_error(options), message);
}

int main(void) {
    tintrel_options* options = tintrel_options_new();
    tintrel_set(options, "format", "ansi");
    char* before = NULL;
    tintrel_write(options, "Tintrel", NULL, &before, NULL);

    for (size_t k = 0; k < sizeof kRefusedOptions / sizeof kRefusedOptions[0]; ++k) {
        const refused_option* c = &kRefusedOptions[k];
        expect_refused(options, tintrel_set(options, c->name, c->value), c->label, c->message);
        char* after = NULL;
        EXPECT(tintrel_write(options, "Tintrel", NULL, &after, NULL) == TINTREL_OK &&
                   strcmp(after, before) == 0,
               "%s: the options changed", c->label);
        EXPECT(strcmp(tintrel_last_error(options), "") == 0, "%s: a success keeps the message", c->label);
        tintrel_free(after);
    }

    for (size_t k = 0; k < sizeof kRefusedTexts / sizeof kRefusedTexts[0]; ++k) {
        const refused_text* c = &kRefusedTexts[k];
        char* output = (char*)"left";
        expect_refused(options, tintrel_write(options, c->text, c->format, &output, NULL), c->label,
                       c->message);
        EXPECT(output == NULL, "%s: an output", c->label);
        if (c->format == NULL) {
            size_t length = 0, budget = 0;
            expect_refused(options, tintrel_decode(options, c->text, &output, NULL), c->label, c->message);
            expect_refused(options, tintrel_fit(options, c->text, &output, NULL), c->label, c->message);
            expect_refused(options, tintrel_check_contrast(options, c->text, &output, NULL), c->label,
                           c->message);
            expect_refused(options, tintrel_count(options, c->text, &length, &budget), c->label, c->message);
        }
    }

    /* The input limit, on both sides of it: a text at the limit is read (and its last byte
     * found not to be UTF-8), one byte more is not. */
    char* longest = malloc(TINTREL_INPUT_LIMIT + 2);
    memset(longest, 'a', TINTREL_INPUT_LIMIT + 1);
    longest[TINTREL_INPUT_LIMIT + 1] = '\0';
    size_t length = 0, budget = 0;
    expect_refused(options, tintrel_count(options, longest, &length, &budget), "a text over the limit",
                   "longer than");
    longest[TINTREL_INPUT_LIMIT - 1] = '\xC3';
    longest[TINTREL_INPUT_LIMIT] = '\0';
    expect_refused(options, tintrel_count(options, longest, &length, &budget), "a text at the limit",
                   "UTF-8");
    free(longest);

    /* Null pointers where the results go, and no object at all. */
    expect_refused(options, tintrel_write(options, "Tintrel", NULL, NULL, NULL), "no output pointer",
                   "null pointer");
    expect_refused(options, tintrel_count(options, "Tintrel", NULL, &budget), "no length pointer",
                   "null pointer");
    EXPECT(tintrel_set(NULL, "bold", NULL) == TINTREL_BAD_INPUT, "no object: set");
    EXPECT(tintrel_write(NULL, "Tintrel", NULL, &before, NULL) == TINTREL_BAD_INPUT, "no object: write");
    EXPECT(tintrel_reset(NULL) == TINTREL_BAD_INPUT, "no object: reset");
    EXPECT(strlen(tintrel_last_error(NULL)) > 0, "no object: a message");
    tintrel_free(NULL);
    tintrel_options_free(NULL);

    /* Reset: the defaults again. */
    char* reset = NULL;
    char* fresh = NULL;
    tintrel_options* defaults = tintrel_options_new();
    tintrel_reset(options);
    tintrel_write(options, "Tintrel", NULL, &reset, NULL);
    tintrel_write(defaults, "Tintrel", NULL, &fresh, NULL);
    EXPECT(reset != NULL && fresh != NULL && strcmp(reset, fresh) == 0, "reset: not the defaults");
    EXPECT(strncmp(tintrel_version(), "1.", 2) == 0, "version %s", tintrel_version());
    tintrel_free(reset);
    tintrel_free(fresh);
    tintrel_free(before);
    tintrel_options_free(defaults);
    tintrel_options_free(options);
    printf("%s\n", failures == 0 ? "every bad input was refused" : "bad input went through");
    return failures == 0 ? 0 : 1;
}
