/* Tintrel's engine for other programs: gradient-coloured text in every kind the command-line
 * companion tintrel-html writes, with the same options and the same bytes.
 *
 * Texts go in and come out as UTF-8 (the font kind writes CP932 unless the option utf8 is set,
 * as tintrel-html does). Every function returns a tintrel_status; on an error the options
 * object keeps a message, read with tintrel_last_error. Nothing is kept between calls outside
 * an options object, so separate objects may be used from separate threads at once; one object
 * is used by one thread at a time. */
#ifndef TINTREL_H
#define TINTREL_H

#include <stddef.h>

#if defined(TINTREL_BUILDING_LIBRARY)
#define TINTREL_EXPORT __attribute__((visibility("default")))
#else
#define TINTREL_EXPORT
#endif

#ifdef __cplusplus
extern "C" {
#endif

#define TINTREL_VERSION_MAJOR 1

/* NOLINTNEXTLINE(modernize-use-using): a C header */
typedef enum tintrel_status {
    TINTREL_OK = 0,
    TINTREL_NOTHING_FOUND = 1,  /* tintrel_decode found no gradient text */
    TINTREL_BAD_INPUT = 2,      /* a null pointer, invalid UTF-8, an unknown option or value,
                                   a text over TINTREL_INPUT_LIMIT */
    TINTREL_DOES_NOT_FIT = 3,   /* tintrel_fit found no output within the budget */
    TINTREL_CONTRAST_SHORT = 4, /* tintrel_check_contrast: a character falls short */
    TINTREL_FAILED = 5          /* the run itself failed (out of memory, a style file that
                                   cannot be read) */
} tintrel_status;

/* The longest text a call takes, in bytes. */
#define TINTREL_INPUT_LIMIT ((size_t)64 << 20)

typedef struct tintrel_options tintrel_options; /* NOLINT(modernize-use-using): a C header */

/* The library's version, such as "1.31". */
TINTREL_EXPORT const char* tintrel_version(void);

/* A new options object with tintrel-html's defaults; NULL when memory runs out. */
TINTREL_EXPORT tintrel_options* tintrel_options_new(void);
/* Frees an options object (NULL is allowed). */
TINTREL_EXPORT void tintrel_options_free(tintrel_options* options);

/* Sets an option by tintrel-html's name, with or without its leading "--" ("format", "start",
 * "bold"), and its value as tintrel-html takes it ("ansi", "FF0000"); value is NULL for an
 * option that takes none. Setting an option again replaces its value. An option that is
 * refused leaves the object as it was. The options that choose what a call does (decode,
 * count, fit, check-contrast, the text files, help, version) are the functions below. */
TINTREL_EXPORT tintrel_status tintrel_set(tintrel_options* options, const char* name, const char* value);
/* Back to the defaults. */
TINTREL_EXPORT tintrel_status tintrel_reset(tintrel_options* options);

/* Writes `text` (UTF-8, ended by a zero byte) in the kind `format` (NULL: the option format,
 * or font). *output receives a buffer ended by a zero byte that the caller frees with
 * tintrel_free, *length its length without that byte (length may be NULL). On an error
 * *output is NULL. */
TINTREL_EXPORT tintrel_status tintrel_write(tintrel_options* options, const char* text, const char* format,
                                            char** output, size_t* length);

/* Reads gradient text of any kind: *output receives the plain text, then each character's
 * colour, as tintrel-html --decode writes them. TINTREL_NOTHING_FOUND when there is none. */
TINTREL_EXPORT tintrel_status tintrel_decode(tintrel_options* options, const char* text, char** output,
                                             size_t* length);

/* The length of the output and its budget (0: none) as tintrel-html --count measures them. */
TINTREL_EXPORT tintrel_status tintrel_count(tintrel_options* options, const char* text, size_t* output_length,
                                            size_t* budget);

/* The output shortened to fit its budget, as tintrel-html --fit writes it;
 * TINTREL_DOES_NOT_FIT (and *output NULL) when nothing fits. */
TINTREL_EXPORT tintrel_status tintrel_fit(tintrel_options* options, const char* text, char** output,
                                          size_t* length);

/* Each character whose contrast with the background falls short, with its ratio, as
 * tintrel-html --check-contrast lists them (*report may be empty);
 * TINTREL_CONTRAST_SHORT when any does. */
TINTREL_EXPORT tintrel_status tintrel_check_contrast(tintrel_options* options, const char* text,
                                                     char** report, size_t* length);

/* The message of the last call on `options` that failed, one line without a line end; "" when
 * the last call succeeded. Valid until the next call on the object. */
TINTREL_EXPORT const char* tintrel_last_error(const tintrel_options* options);

/* Frees a buffer the library gave (NULL is allowed). */
TINTREL_EXPORT void tintrel_free(void* buffer);

#ifdef __cplusplus
}
#endif

#endif
