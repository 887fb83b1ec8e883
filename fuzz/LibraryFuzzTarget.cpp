#include "LibraryFuzzTarget.h"

#include "FuzzCheck.h"

#include "tintrel.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Pieces(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> pieces(1);
    for (std::size_t k = 0; k < size; ++k) {
        if (data[k] == 0) {
            pieces.emplace_back();
        } else {
            pieces.back().push_back(static_cast<char>(data[k]));
        }
    }
    return pieces;
}

// The library reads a style file by name but never writes: names stay within the working folder.
std::string Confined(std::string option) {
    std::replace(option.begin(), option.end(), '/', '_');
    return option;
}

void CheckMessage(const tintrel_options* options, tintrel_status status) {
    const std::string message = tintrel_last_error(options);
    if (status == TINTREL_OK || status == TINTREL_CONTRAST_SHORT) {
        Check(message.empty(), "a success leaves no message");
    } else {
        Check(!message.empty() && message.find('\n') == std::string::npos, "a failure says why in one line");
    }
}

} // namespace

void RunLibraryFuzzInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> pieces = Pieces(data, size);
    const int call = pieces.front().empty() ? 0 : static_cast<unsigned char>(pieces.front()[0]) % 5;
    const std::unique_ptr<tintrel_options, void (*)(tintrel_options*)> options(tintrel_options_new(),
                                                                               tintrel_options_free);
    for (std::size_t k = 1; k + 1 < pieces.size(); ++k) {
        const std::string option = Confined(pieces[k]);
        const std::size_t equals = option.find('=');
        const std::string name = option.substr(0, equals);
        const std::string value = equals == std::string::npos ? "" : option.substr(equals + 1);
        const tintrel_status status =
            tintrel_set(options.get(), name.c_str(), equals == std::string::npos ? nullptr : value.c_str());
        Check(status == TINTREL_OK || status == TINTREL_BAD_INPUT || status == TINTREL_FAILED,
              "setting an option succeeds or is refused");
        CheckMessage(options.get(), status);
    }
    const std::string& text = pieces.size() > 1 ? pieces.back() : pieces.front();
    char* output = nullptr;
    std::size_t length = 0;
    std::size_t budget = 0;
    tintrel_status status = TINTREL_OK;
    switch (call) {
    case 0:
        status = tintrel_write(options.get(), text.c_str(), nullptr, &output, &length);
        break;
    case 1:
        status = tintrel_decode(options.get(), text.c_str(), &output, &length);
        break;
    case 2:
        status = tintrel_count(options.get(), text.c_str(), &length, &budget);
        break;
    case 3:
        status = tintrel_fit(options.get(), text.c_str(), &output, &length);
        break;
    default:
        status = tintrel_check_contrast(options.get(), text.c_str(), &output, &length);
        break;
    }
    Check(status >= TINTREL_OK && status <= TINTREL_FAILED, "the status is one of the interface's");
    CheckMessage(options.get(), status);
    const bool delivers = status == TINTREL_OK || (call == 4 && status == TINTREL_CONTRAST_SHORT);
    if (call != 2) {
        Check((output != nullptr) == delivers, "an output exactly when the call succeeds");
        Check(output == nullptr || output[length] == '\0', "an output ends in a zero byte after its length");
    }
    tintrel_free(output);
}
