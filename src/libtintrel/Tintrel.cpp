// The library's C interface: each call builds tintrel-html's arguments from the options object
// and runs the companion in memory, so that it writes the same bytes. Nothing thrown crosses
// into the caller.
#include "libtintrel/tintrel.h"

#include "companion/CompanionInMemory.h"
#include "engine/Utf8.h"
#include "libtintrel/LibraryOptions.h"

#include <cstdlib>
#include <cstring>
#include <exception>
#include <new>
#include <optional>
#include <string>
#include <vector>

struct tintrel_options {
    TLibraryOptions options;
};

namespace {

tintrel_status Fail(tintrel_options* options, tintrel_status status, std::string message) {
    if (options != nullptr) {
        options->options.LastError = std::move(message);
    }
    return status;
}

// Runs `body` with every failure turned into a status and a message.
template <typename Body> tintrel_status Guarded(tintrel_options* options, Body body) {
    if (options == nullptr) {
        return TINTREL_BAD_INPUT;
    }
    try {
        options->options.LastError.clear();
        return body();
    } catch (const std::bad_alloc&) {
        return Fail(options, TINTREL_FAILED, "out of memory");
    } catch (const std::exception& e) {
        return Fail(options, TINTREL_FAILED, e.what());
    } catch (...) {
        return Fail(options, TINTREL_FAILED, "an unknown failure");
    }
}

// Refuses a text the companion could not be given: missing, not UTF-8 or too long.
std::optional<std::string> TextFault(const char* text, const char* what) {
    if (text == nullptr) {
        return std::string(what) + " is a null pointer";
    }
    const std::size_t length = std::strlen(text);
    if (length > TINTREL_INPUT_LIMIT) {
        return std::string(what) + " is longer than " + std::to_string(TINTREL_INPUT_LIMIT) + " bytes";
    }
    if (const std::optional<std::size_t> bad = FirstInvalidUtf8(text)) {
        return std::string(what) + " is not valid UTF-8 (byte " + std::to_string(*bad) + ")";
    }
    return std::nullopt;
}

// A copy of `bytes` that the caller frees with tintrel_free.
char* CallerBuffer(const std::string& bytes) {
    auto* buffer = static_cast<char*>(std::malloc(bytes.size() + 1));
    if (buffer == nullptr) {
        throw std::bad_alloc();
    }
    std::memcpy(buffer, bytes.data(), bytes.size());
    buffer[bytes.size()] = '\0';
    return buffer;
}

// Runs the companion on `text` with the options and `call`'s arguments. The text goes after the
// end of the options; the companion reads a text of "-" from standard input, so that one goes
// there.
TCompanionRun Run(const tintrel_options& options, std::vector<std::string> call, const std::string& text) {
    call.emplace_back("--");
    call.push_back(text);
    return RunCompanionInMemory(options.options.Arguments(call), text == "-" ? "-" : "", nullptr,
                                TINTREL_INPUT_LIMIT);
}

// The status of a run, its refusal as the object's message; `output` and `length` receive its
// output when `delivered` (a status whose output is the answer).
tintrel_status Deliver(tintrel_options* options, const TCompanionRun& run, bool delivered, char** output,
                       std::size_t* length) {
    const auto status = static_cast<tintrel_status>(run.Status);
    if (run.Status < TINTREL_OK || run.Status > TINTREL_CONTRAST_SHORT) {
        return Fail(options, TINTREL_FAILED, LibraryMessage(run.Err));
    }
    if (!delivered) {
        return Fail(options, status, LibraryMessage(run.Err));
    }
    *output = CallerBuffer(run.Out);
    if (length != nullptr) {
        *length = run.Out.size();
    }
    return status;
}

// The checks every call that writes makes before it runs.
std::optional<std::string> CallFault(const char* text, char** output) {
    if (output == nullptr) {
        return std::string("the output pointer is a null pointer");
    }
    *output = nullptr;
    return TextFault(text, "the text");
}

} // namespace

extern "C" {

const char* tintrel_version(void) {
    return TINTREL_LIBRARY_VERSION;
}

tintrel_options* tintrel_options_new(void) {
    return new (std::nothrow) tintrel_options;
}

void tintrel_options_free(tintrel_options* options) {
    delete options;
}

tintrel_status tintrel_set(tintrel_options* options, const char* name, const char* value) {
    return Guarded(options, [&] {
        if (name == nullptr) {
            return Fail(options, TINTREL_BAD_INPUT, "the option's name is a null pointer");
        }
        if (const auto fault = TextFault(name, "the option's name")) {
            return Fail(options, TINTREL_BAD_INPUT, *fault);
        }
        if (value != nullptr) {
            if (const auto fault = TextFault(value, "the option's value")) {
                return Fail(options, TINTREL_BAD_INPUT, *fault);
            }
        }
        const std::optional<std::string> refusal = options->options.Set(
            name, value != nullptr ? std::optional<std::string_view>(value) : std::nullopt);
        return refusal ? Fail(options, TINTREL_BAD_INPUT, *refusal) : TINTREL_OK;
    });
}

tintrel_status tintrel_reset(tintrel_options* options) {
    return Guarded(options, [&] {
        options->options.Reset();
        return TINTREL_OK;
    });
}

tintrel_status tintrel_write(tintrel_options* options, const char* text, const char* format, char** output,
                             size_t* length) {
    return Guarded(options, [&] {
        if (const auto fault = CallFault(text, output)) {
            return Fail(options, TINTREL_BAD_INPUT, *fault);
        }
        std::vector<std::string> call;
        if (format != nullptr) {
            if (const auto fault = TextFault(format, "the format")) {
                return Fail(options, TINTREL_BAD_INPUT, *fault);
            }
            call.push_back(std::string("--format=") + format);
        }
        const TCompanionRun run = Run(*options, call, text);
        return Deliver(options, run, run.Status == 0, output, length);
    });
}

tintrel_status tintrel_decode(tintrel_options* options, const char* text, char** output, size_t* length) {
    return Guarded(options, [&] {
        if (const auto fault = CallFault(text, output)) {
            return Fail(options, TINTREL_BAD_INPUT, *fault);
        }
        const TCompanionRun run = RunCompanionInMemory(options->options.Arguments({"--decode", "-"}), text,
                                                       nullptr, TINTREL_INPUT_LIMIT);
        return Deliver(options, run, run.Status == 0, output, length);
    });
}

tintrel_status tintrel_count(tintrel_options* options, const char* text, size_t* output_length,
                             size_t* budget) {
    return Guarded(options, [&] {
        if (output_length == nullptr || budget == nullptr) {
            return Fail(options, TINTREL_BAD_INPUT, "the length or budget pointer is a null pointer");
        }
        if (const auto fault = TextFault(text, "the text")) {
            return Fail(options, TINTREL_BAD_INPUT, *fault);
        }
        const TCompanionRun run = Run(*options, {"--count"}, text);
        if (run.Status != 0) {
            return Deliver(options, run, false, nullptr, nullptr);
        }
        *output_length = run.Budget.Counted ? run.Budget.Length : run.Out.size();
        *budget = run.Budget.Counted ? run.Budget.Budget : 0;
        return TINTREL_OK;
    });
}

tintrel_status tintrel_fit(tintrel_options* options, const char* text, char** output, size_t* length) {
    return Guarded(options, [&] {
        if (const auto fault = CallFault(text, output)) {
            return Fail(options, TINTREL_BAD_INPUT, *fault);
        }
        const TCompanionRun run = Run(*options, {"--fit"}, text);
        return Deliver(options, run, run.Status == 0, output, length);
    });
}

tintrel_status tintrel_check_contrast(tintrel_options* options, const char* text, char** report,
                                      size_t* length) {
    return Guarded(options, [&] {
        if (const auto fault = CallFault(text, report)) {
            return Fail(options, TINTREL_BAD_INPUT, *fault);
        }
        const TCompanionRun run = Run(*options, {"--check-contrast"}, text);
        return Deliver(options, run, run.Status == 0 || run.Status == TINTREL_CONTRAST_SHORT, report, length);
    });
}

const char* tintrel_last_error(const tintrel_options* options) {
    return options != nullptr ? options->options.LastError.c_str() : "the options object is a null pointer";
}

void tintrel_free(void* buffer) {
    std::free(buffer);
}

} // extern "C"
