#include "engine/ReaderRuns.h"
#include "engine/TargetReader.h"

#include <algorithm>
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

// A component as read: its own text, what it says of the colour and the styles (the rest is
// its parent's), and the components of its "extra" (or an array's elements).
struct TJsonNode {
    std::string Text;
    bool Component = false;                     // an object (a string or an array is none)
    std::optional<std::optional<TColor>> Color; // set here: a colour, or none for a bad one
    TFontStyles Set = 0;
    TFontStyles Cleared = 0;
    std::vector<TJsonNode> Children;
};

// Four hexadecimal digits as a value; none where one is no digit or the text ends.
std::optional<unsigned long> Hex4(std::string_view text) {
    if (text.size() < 4) {
        return std::nullopt;
    }
    unsigned long value = 0;
    for (std::size_t n = 0; n < 4; ++n) {
        const auto c = static_cast<unsigned char>(text[n]);
        if (!std::isxdigit(c)) {
            return std::nullopt;
        }
        value =
            value * 16 + static_cast<unsigned long>(std::isdigit(c) ? c - '0' : std::tolower(c) - 'a' + 10);
    }
    return value;
}

// A small reader of the JSON that text components are: arrays, objects, strings, true and
// false, numbers skipped. Each component is read once; its "extra" is kept until the
// component's colour and styles are known, wherever they stand among its keys.
class TJsonScanner {
public:
    explicit TJsonScanner(std::string_view text) : text_(text) {}

    // Reads the whole text; an array's elements each as soon as they are read.
    TReadRuns Read() {
        TReadRuns runs;
        Space();
        if (!AtEnd() && text_[k_] == '[') {
            Elements(1, [&](TJsonNode&& element) { Emit(element, std::nullopt, 0, runs); });
        } else {
            Emit(Value(1), std::nullopt, 0, runs);
        }
        runs.TooDeep = tooDeep_;
        return runs;
    }

private:
    bool AtEnd() const { return k_ >= text_.size(); }
    void Step() { k_ = std::min(k_ + 1, text_.size()); }
    void Space() {
        while (!AtEnd() && std::isspace(static_cast<unsigned char>(text_[k_]))) {
            ++k_;
        }
    }

    // The text and its descendants in their colours: each inherits what it does not set.
    static void Emit(const TJsonNode& node, std::optional<TColor> color, TFontStyles style, TReadRuns& runs) {
        if (node.Color) {
            color = *node.Color;
        }
        style = static_cast<TFontStyles>((style & ~node.Cleared) | node.Set);
        if (color && !node.Text.empty()) {
            if (node.Component && runs.Runs.empty()) {
                runs.Style = style;
            }
            runs.Add(node.Text, *color);
        }
        for (const TJsonNode& child : node.Children) {
            Emit(child, color, style, runs);
        }
    }

    template <typename TTake> void Elements(int depth, TTake take) {
        Step(); // the opening bracket
        while (Space(), !AtEnd() && text_[k_] != ']') {
            take(Value(depth + 1));
            Space();
            if (!AtEnd() && text_[k_] == ',') {
                Step();
            } else {
                break;
            }
        }
        Step();
    }

    TJsonNode Value(int depth) {
        TJsonNode node;
        Space();
        if (AtEnd() || tooDeep_) {
            return node;
        }
        if (depth > kMostReadNesting) {
            tooDeep_ = true;
            k_ = text_.size();
            return node;
        }
        const char c = text_[k_];
        if (c == '[') {
            Elements(depth, [&](TJsonNode&& element) { node.Children.push_back(std::move(element)); });
        } else if (c == '{') {
            Object(depth, node);
        } else if (c == '"') {
            node.Text = String();
        } else {
            while (!AtEnd() && text_[k_] != ',' && text_[k_] != ']' && text_[k_] != '}') {
                ++k_;
            }
        }
        return node;
    }

    // A \u escape (after its backslash and u): a pair of surrogates as their character, a lone
    // one as U+FFFD (what follows it read as it stands), and one without four digits as it stands.
    void Unicode(std::string& out) {
        const std::optional<unsigned long> code = Hex4(text_.substr(k_));
        if (!code) {
            out += "\\u";
            return;
        }
        k_ += 4;
        if (*code >= 0xD800 && *code < 0xDC00 && text_.substr(k_).starts_with("\\u")) {
            const std::optional<unsigned long> low = Hex4(text_.substr(k_ + 2));
            if (low && *low >= 0xDC00 && *low < 0xE000) {
                k_ += 6;
                AppendCodePoint(out, 0x10000 + ((*code - 0xD800) << 10) + (*low - 0xDC00));
                return;
            }
        }
        AppendCodePoint(out, *code);
    }

    std::string String() {
        std::string out;
        Step(); // the opening quote
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
            case 'u':
                Unicode(out);
                break;
            default:
                out += e;
            }
        }
        Step(); // the closing quote
        return out;
    }

    void Object(int depth, TJsonNode& node) {
        node.Component = true;
        Step();
        while (Space(), !AtEnd() && text_[k_] == '"') {
            const std::string key = String();
            Space();
            Step(); // the colon
            Space();
            if (key == "text" && !AtEnd() && text_[k_] == '"') {
                node.Text = String();
            } else if (key == "color" && !AtEnd() && text_[k_] == '"') {
                const std::string value = String();
                if (value.starts_with('#')) {
                    node.Color = ColorOfHex(std::string_view(value).substr(1));
                }
            } else if (const TFontStyles bit = StyleKey(key); bit != 0) {
                const bool on = text_.substr(k_).starts_with("true");
                node.Set = static_cast<TFontStyles>(on ? (node.Set | bit) : (node.Set & ~bit));
                node.Cleared = static_cast<TFontStyles>(on ? (node.Cleared & ~bit) : (node.Cleared | bit));
                while (!AtEnd() && std::isalpha(static_cast<unsigned char>(text_[k_]))) {
                    ++k_;
                }
            } else if (key == "extra") {
                node.Children.push_back(Value(depth + 1));
            } else {
                Value(depth + 1);
            }
            Space();
            if (!AtEnd() && text_[k_] == ',') {
                Step();
            }
        }
        Step(); // the closing brace
    }

    std::string_view text_;
    std::size_t k_ = 0;
    bool tooDeep_ = false;
};

} // namespace

TReadRuns ReadJsonRuns(std::string_view utf8) {
    return TJsonScanner(utf8).Read();
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
