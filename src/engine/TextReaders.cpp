#include "engine/ReaderRuns.h"

#include <cctype>

// The readers of JSON text components and of GitHub's coloured math.

namespace {

// The style bit a text component's key sets; 0 for any other key.
TFontStyles StyleKey(std::string_view key) {
    if (key == "bold") {
        return fsBold;
    }
    if (key == "italic") {
        return fsItalic;
    }
    if (key == "underlined") {
        return fsUnderline;
    }
    return key == "strikethrough" ? fsStrikeOut : 0;
}

// A small reader of the JSON that text components are: arrays, objects, strings, true and
// false, numbers skipped.
class TJsonScanner {
public:
    explicit TJsonScanner(std::string_view text) : text_(text) {}

    void Value(TReadRuns& runs, std::optional<TColor> color, TFontStyles style) {
        Space();
        if (AtEnd()) {
            return;
        }
        const char c = text_[k_];
        if (c == '[') {
            ++k_;
            while (Space(), !AtEnd() && text_[k_] != ']') {
                Value(runs, color, style);
                Space();
                if (!AtEnd() && text_[k_] == ',') {
                    ++k_;
                } else {
                    break;
                }
            }
            ++k_;
        } else if (c == '{') {
            Object(runs, color, style);
        } else if (c == '"') {
            const std::string text = String();
            if (color) {
                runs.Add(text, *color);
            }
        } else {
            while (!AtEnd() && text_[k_] != ',' && text_[k_] != ']' && text_[k_] != '}') {
                ++k_;
            }
        }
    }

private:
    bool AtEnd() const { return k_ >= text_.size(); }
    void Space() {
        while (!AtEnd() && std::isspace(static_cast<unsigned char>(text_[k_]))) {
            ++k_;
        }
    }
    // Four hexadecimal digits after \u.
    unsigned long Hex4() {
        unsigned long value = 0;
        for (int n = 0; n < 4 && !AtEnd(); ++n, ++k_) {
            const char c = text_[k_];
            value = value * 16 + static_cast<unsigned long>(
                                     std::isdigit(static_cast<unsigned char>(c))
                                         ? c - '0'
                                         : (std::tolower(static_cast<unsigned char>(c)) - 'a' + 10) & 0xF);
        }
        return value;
    }
    std::string String() {
        std::string out;
        ++k_; // the opening quote
        while (!AtEnd() && text_[k_] != '"') {
            const char c = text_[k_++];
            if (c != '\\' || AtEnd()) {
                out += c;
                continue;
            }
            const char e = text_[k_++];
            switch (e) {
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'u': {
                unsigned long code = Hex4();
                if (code >= 0xD800 && code < 0xDC00 && text_.substr(k_).starts_with("\\u")) {
                    k_ += 2;
                    const unsigned long low = Hex4();
                    code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                }
                AppendCodePoint(out, code);
                break;
            }
            default:
                out += e;
            }
        }
        ++k_; // the closing quote
        return out;
    }
    void Object(TReadRuns& runs, std::optional<TColor> color, TFontStyles style) {
        ++k_;
        std::string text;
        std::string_view extra;
        while (Space(), !AtEnd() && text_[k_] == '"') {
            const std::string key = String();
            Space();
            ++k_; // the colon
            Space();
            if (key == "text" && !AtEnd() && text_[k_] == '"') {
                text = String();
            } else if (key == "color" && !AtEnd() && text_[k_] == '"') {
                const std::string value = String();
                if (value.starts_with('#')) {
                    color = ColorOfHex(std::string_view(value).substr(1));
                }
            } else if (const TFontStyles bit = StyleKey(key); bit != 0) {
                style = text_.substr(k_).starts_with("true") ? (style | bit) : (style & ~bit);
                while (!AtEnd() && std::isalpha(static_cast<unsigned char>(text_[k_]))) {
                    ++k_;
                }
            } else if (key == "extra") {
                const std::size_t start = k_;
                TReadRuns skipped;
                Value(skipped, std::nullopt, 0);
                extra = text_.substr(start, k_ - start);
            } else {
                TReadRuns skipped;
                Value(skipped, std::nullopt, 0);
            }
            Space();
            if (!AtEnd() && text_[k_] == ',') {
                ++k_;
            }
        }
        ++k_; // the closing brace
        if (color && !text.empty()) {
            if (runs.Runs.empty()) {
                runs.Style = style;
            }
            runs.Add(text, *color);
        }
        if (!extra.empty()) {
            TJsonScanner inner(extra);
            inner.Value(runs, color, style);
        }
    }

    std::string_view text_;
    std::size_t k_ = 0;
};

} // namespace

TReadRuns ReadJsonRuns(std::string_view utf8) {
    TReadRuns runs;
    TJsonScanner(utf8).Value(runs, std::nullopt, 0);
    return runs;
}

TReadRuns ReadGithubRuns(std::string_view utf8) {
    TReadRuns runs;
    std::optional<TColor> color;
    std::string text;
    const auto flush = [&] {
        if (color) {
            runs.Add(text, *color);
        }
        text.clear();
    };
    int textDepth = 0; // inside \text{...}: the braces open in it
    for (std::size_t k = 0; k < utf8.size();) {
        const std::string_view rest = utf8.substr(k);
        if (textDepth > 0) {
            if (rest.front() == '\\' && rest.size() > 1 &&
                std::string_view("{}$&#_%").find(rest[1]) != std::string_view::npos) {
                text += rest[1];
                k += 2;
            } else if (rest.front() == '}') {
                --textDepth;
                ++k;
            } else if (rest.front() == '{') {
                ++textDepth;
                ++k;
            } else {
                text += rest.front();
                ++k;
            }
            continue;
        }
        if (rest.starts_with("\\color{")) {
            const std::size_t close = rest.find('}');
            const std::string_view value = rest.substr(7, close == std::string_view::npos ? 0 : close - 7);
            flush();
            color = value.starts_with('#') ? ColorOfHex(value.substr(1)) : std::nullopt;
            k += close == std::string_view::npos ? rest.size() : close + 1;
        } else if (rest.starts_with("\\text{")) {
            textDepth = 1;
            k += 6;
        } else if (rest.starts_with("\\backslash")) {
            text += '\\';
            k += 10;
        } else if (rest.starts_with("\\hat{}")) {
            text += '^';
            k += 6;
        } else if (rest.starts_with("\\sim")) {
            text += '~';
            k += 4;
        } else {
            ++k; // $ and what math writes besides
        }
    }
    flush();
    return runs;
}

// A JSON array whose first element is a string or a component.
bool LooksLikeJsonText(std::string_view text) {
    if (!text.starts_with("[")) {
        return false;
    }
    text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) {
        text.remove_prefix(1);
    }
    return text.starts_with("\"") || text.starts_with("{");
}

bool LooksLikeGithubMath(std::string_view text) {
    return text.starts_with("$\\color") || text.starts_with("$\\text");
}
