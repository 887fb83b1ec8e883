#include "engine/ReaderRuns.h"

#include "engine/MiniMessageGradient.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <unordered_map>

// The readers of the tag kinds: the program's font HTML, HTML5 with CSS, Pango markup, the
// clipped CSS element, BBCode and MiniMessage.

namespace {

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), AsciiLower);
    return lower;
}

std::size_t FindNoCase(std::string_view text, std::string_view lowerNeedle, std::size_t from = 0) {
    const auto it = std::search(text.begin() + static_cast<std::ptrdiff_t>(std::min(from, text.size())),
                                text.end(), lowerNeedle.begin(), lowerNeedle.end(),
                                [](char a, char b) { return AsciiLower(a) == b; });
    return it == text.end() ? std::string_view::npos : static_cast<std::size_t>(it - text.begin());
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Element text with its entities decoded; line ends (which the writers put between tags) left out.
void AppendDecoded(std::string& out, std::string_view text) {
    for (std::size_t k = 0; k < text.size(); ++k) {
        // What needs nothing, in one piece.
        std::size_t plain = k;
        while (plain < text.size() && text[plain] != '&' && text[plain] != '\r' && text[plain] != '\n') {
            ++plain;
        }
        if (plain > k) {
            out.append(text.substr(k, plain - k));
            k = plain;
            if (k == text.size()) {
                break;
            }
        }
        const char c = text[k];
        if (c == '\r' || c == '\n') {
            continue;
        }
        // An entity's name is short: the semicolon is looked for only that far, so a text of
        // ampersands is read once.
        constexpr std::size_t kLongestEntity = 10;
        const std::size_t near = text.substr(k, kLongestEntity + 1).find(';');
        const std::size_t semicolon = near == std::string_view::npos ? near : k + near;
        if (semicolon == std::string_view::npos) {
            out += c;
            continue;
        }
        const std::string_view name = text.substr(k + 1, semicolon - k - 1);
        if (name.starts_with('#') && name.size() > 1) {
            const bool hex = name[1] == 'x' || name[1] == 'X';
            const std::string digits(name.substr(hex ? 2 : 1));
            char* end = nullptr;
            const unsigned long code = std::strtoul(digits.c_str(), &end, hex ? 16 : 10);
            if (!digits.empty() && end != nullptr && *end == '\0') {
                AppendCodePoint(out, code);
                k = semicolon;
                continue;
            }
        }
        constexpr std::pair<std::string_view, std::string_view> entities[] = {
            {"amp", "&"}, {"lt", "<"}, {"gt", ">"}, {"quot", "\""}, {"apos", "'"}, {"nbsp", "\xC2\xA0"}};
        const auto* entity = std::find_if(std::begin(entities), std::end(entities),
                                          [&](const auto& e) { return e.first == Lower(name); });
        if (entity != std::end(entities)) {
            out += entity->second;
            k = semicolon;
        } else {
            out += c;
        }
    }
}

// The attributes of a tag: lower-case names, values with their entities decoded.
std::vector<std::pair<std::string, std::string>> Attributes(std::string_view tag) {
    std::vector<std::pair<std::string, std::string>> attributes;
    std::size_t k = 0;
    while (k < tag.size() && !IsSpace(tag[k])) {
        ++k; // the name
    }
    while (k < tag.size()) {
        while (k < tag.size() && (IsSpace(tag[k]) || tag[k] == '/')) {
            ++k;
        }
        const std::size_t nameStart = k;
        while (k < tag.size() && !IsSpace(tag[k]) && tag[k] != '=') {
            ++k;
        }
        std::string name = Lower(tag.substr(nameStart, k - nameStart));
        while (k < tag.size() && IsSpace(tag[k])) {
            ++k;
        }
        std::string value;
        if (k < tag.size() && tag[k] == '=') {
            ++k;
            while (k < tag.size() && IsSpace(tag[k])) {
                ++k;
            }
            if (k < tag.size() && (tag[k] == '"' || tag[k] == '\'')) {
                const char quote = tag[k++];
                const std::size_t end = std::min(tag.find(quote, k), tag.size());
                AppendDecoded(value, tag.substr(k, end - k));
                k = end + 1;
            } else {
                const std::size_t start = k;
                while (k < tag.size() && !IsSpace(tag[k])) {
                    ++k;
                }
                AppendDecoded(value, tag.substr(start, k - start));
            }
        }
        if (!name.empty()) {
            attributes.emplace_back(std::move(name), std::move(value));
        }
    }
    return attributes;
}

// The colour after the first # of a value: six digits, or three (#F00 for #FF0000) as HTML and
// CSS allow.
std::optional<TColor> HashColor(std::string_view value) {
    const std::size_t hash = value.find('#');
    if (hash == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view digits = value.substr(hash + 1);
    if (const std::optional<TColor> color = ColorOfHex(digits)) {
        return color;
    }
    const auto hex = [&](std::size_t k) {
        return k < digits.size() && std::isxdigit(static_cast<unsigned char>(digits[k]));
    };
    if (!hex(0) || !hex(1) || !hex(2) || hex(3)) {
        return std::nullopt;
    }
    const std::string six{digits[0], digits[0], digits[1], digits[1], digits[2], digits[2]};
    return ColorOfHex(six);
}

// Whether a tag starts at `k`: the font kind writes < of the text raw, and a tag's name or
// its slash or exclamation mark follows its <.
bool TagAt(std::string_view text, std::size_t k) {
    if (text[k] != '<' || k + 1 >= text.size()) {
        return false;
    }
    const char next = text[k + 1];
    return std::isalpha(static_cast<unsigned char>(next)) || next == '/' || next == '!';
}

struct TFrame {
    std::string Name;
    std::optional<TColor> Color;
    bool Hidden = false;
    bool Clip = false;
};

// The values of the properties a style attribute is read for, each its first declaration's.
struct TCssValues {
    std::string color, position, weight, style, decoration, clip, background;

    // Read in one pass over the declaration list: an element per character has one each.
    explicit TCssValues(std::string_view declarations) {
        const std::pair<std::string_view, std::string TCssValues::*> properties[] = {
            {"color", &TCssValues::color},
            {"position", &TCssValues::position},
            {"font-weight", &TCssValues::weight},
            {"font-style", &TCssValues::style},
            {"text-decoration", &TCssValues::decoration},
            {"background-clip", &TCssValues::clip},
            {"background", &TCssValues::background}};
        bool found[std::size(properties)] = {};
        std::size_t start = 0;
        while (start < declarations.size()) {
            const std::size_t end = std::min(declarations.find(';', start), declarations.size());
            const std::string_view item = declarations.substr(start, end - start);
            if (const std::size_t colon = item.find(':'); colon != std::string_view::npos) {
                std::string name = Lower(item.substr(0, colon));
                std::erase_if(name, [](char c) { return IsSpace(c); });
                for (std::size_t k = 0; k < std::size(properties); ++k) {
                    if (!found[k] && name == properties[k].first) {
                        found[k] = true;
                        this->*properties[k].second = Lower(item.substr(colon + 1));
                    }
                }
            }
            start = end + 1;
        }
    }
};

// What a style attribute (CSS declarations) says about the element and the text's styles
// (and the stops of a clipped gradient).
void ApplyCss(std::string_view value, TFrame& frame, TReadRuns& runs, std::vector<TColor>& stops) {
    const TCssValues css(value);
    if (!css.color.empty()) {
        frame.Color = HashColor(css.color);
    }
    frame.Hidden = frame.Hidden || css.position == "absolute";
    runs.Style |= css.weight == "bold" ? fsBold : 0;
    runs.Style |= css.style == "italic" ? fsItalic : 0;
    runs.Style |= css.decoration.find("underline") != std::string::npos ? fsUnderline : 0;
    runs.Style |= css.decoration.find("line-through") != std::string::npos ? fsStrikeOut : 0;
    if (css.clip == "text") {
        frame.Clip = true;
        const std::string& background = css.background;
        for (std::size_t hash = background.find('#'); hash != std::string::npos;
             hash = background.find('#', hash + 1)) {
            if (const std::optional<TColor> stop =
                    ColorOfHex(std::string_view(background).substr(hash + 1))) {
                stops.push_back(*stop);
            }
        }
    }
}

// The frame an opening tag begins (its colour, whether its text is hidden or clipped), and the
// styles it gives the text.
TFrame FrameOf(std::string_view tag, TReadRuns& runs, std::vector<TColor>& stops) {
    std::size_t nameEnd = 0;
    while (nameEnd < tag.size() && !IsSpace(tag[nameEnd]) && tag[nameEnd] != '/') {
        ++nameEnd;
    }
    TFrame frame{Lower(tag.substr(0, nameEnd)), std::nullopt, false, false};
    const std::string& name = frame.Name;
    frame.Hidden = name == "title" || name == "style" || name == "script" || name == "head";
    runs.Style |= name == "b" || name == "strong" ? fsBold : 0;
    runs.Style |= name == "i" || name == "cite" || name == "em" ? fsItalic : 0;
    runs.Style |= name == "u" ? fsUnderline : 0;
    runs.Style |= name == "s" || name == "strike" || name == "del" ? fsStrikeOut : 0;
    for (const auto& [attribute, value] : Attributes(tag)) {
        const std::string lower = Lower(value);
        if (attribute == "color" || attribute == "foreground" || attribute == "fgcolor") {
            frame.Color = HashColor(value);
        } else if (attribute == "weight") {
            runs.Style |= lower == "bold" ? fsBold : 0;
        } else if (attribute == "underline") {
            runs.Style |= lower != "none" ? fsUnderline : 0;
        } else if (attribute == "strikethrough") {
            runs.Style |= lower == "true" ? fsStrikeOut : 0;
        } else if (attribute == "style" && lower == "italic") {
            runs.Style |= fsItalic; // Pango's attribute
        } else if (attribute == "style") {
            ApplyCss(value, frame, runs, stops);
        }
    }
    return frame;
}

bool IsVoid(std::string_view name, std::string_view tag) {
    return name == "br" || name == "meta" || name == "img" || name == "hr" || name == "link" ||
           name.starts_with('!') || tag.ends_with('/');
}

// Where the tag that begins at `k` ends: the first > outside quotes.
std::size_t TagEnd(std::string_view utf8, std::size_t k) {
    char quote = 0;
    for (std::size_t end = k + 1; end < utf8.size(); ++end) {
        const char c = utf8[end];
        if (quote != 0) {
            quote = c == quote ? 0 : quote;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '>') {
            return end;
        }
    }
    return utf8.size();
}

// The open elements and what their text comes to. What the text needs of them (hidden,
// clipped, the innermost colour) is kept with each element, and the open elements of each name
// are listed, so that neither text nor a closing tag looks through every open element.
class TMarkupScan {
public:
    void Text(std::string_view raw) {
        const TInScope scope = frames_.empty() ? TInScope{} : frames_.back().Scope;
        if (scope.Hidden) {
            return;
        }
        text_.clear();
        AppendDecoded(text_, raw);
        if (scope.Clip) {
            clipText_ += text_;
            return;
        }
        if (scope.Color) {
            Runs.Add(text_, *scope.Color);
        }
    }
    void Tag(std::string_view tag) {
        if (tag.starts_with('/')) {
            std::string name = Lower(tag.substr(1));
            std::erase_if(name, [](char c) { return IsSpace(c); });
            const auto open = open_.find(name);
            if (open != open_.end() && !open->second.empty()) {
                const std::size_t depth = open->second.back();
                while (frames_.size() > depth) {
                    Pop();
                }
            }
            return;
        }
        const TFrame frame = FrameOf(tag, Runs, stops_);
        if (IsVoid(frame.Name, tag)) {
            return;
        }
        TInScope scope = frames_.empty() ? TInScope{} : frames_.back().Scope;
        scope.Hidden = scope.Hidden || frame.Hidden;
        scope.Clip = scope.Clip || frame.Clip;
        scope.Color = frame.Color ? frame.Color : scope.Color;
        open_[frame.Name].push_back(frames_.size());
        frames_.push_back({frame.Name, scope});
    }
    TReadRuns Finish() {
        Runs.AddThrough(clipText_, std::move(stops_));
        return std::move(Runs);
    }

    TReadRuns Runs;

private:
    // What the open elements come to for the text inside the innermost.
    struct TInScope {
        std::optional<TColor> Color;
        bool Hidden = false;
        bool Clip = false;
    };
    struct TOpen {
        std::string Name;
        TInScope Scope;
    };
    void Pop() {
        open_[frames_.back().Name].pop_back();
        frames_.pop_back();
    }

    std::vector<TOpen> frames_;
    std::unordered_map<std::string, std::vector<std::size_t>> open_; // each name's open elements
    std::vector<TColor> stops_;
    std::string clipText_;
    std::string text_;
};

} // namespace

TReadRuns ReadMarkupRuns(std::string_view utf8) {
    TMarkupScan scan;
    std::size_t k = 0;
    while (k < utf8.size()) {
        if (!TagAt(utf8, k)) {
            std::size_t end = k + 1;
            while (end < utf8.size() && !TagAt(utf8, end)) {
                ++end;
            }
            scan.Text(utf8.substr(k, end - k));
            k = end;
        } else if (utf8.substr(k).starts_with("<!--")) {
            const std::size_t end = utf8.find("-->", k + 4);
            k = end == std::string_view::npos ? utf8.size() : end + 3;
        } else {
            const std::size_t end = TagEnd(utf8, k);
            scan.Tag(utf8.substr(k + 1, end - k - 1));
            k = std::min(end + 1, utf8.size());
        }
    }
    return scan.Finish();
}

TReadRuns ReadBbcodeRuns(std::string_view utf8) {
    TReadRuns runs;
    const std::size_t first = FindNoCase(utf8, "[color=#");
    const std::string_view head = utf8.substr(0, std::min(first, utf8.size()));
    constexpr std::pair<std::string_view, TFontStyles> styles[] = {
        {"[b]", fsBold}, {"[i]", fsItalic}, {"[u]", fsUnderline}, {"[s]", fsStrikeOut}};
    for (const auto& [tag, bit] : styles) {
        if (FindNoCase(head, tag) != std::string_view::npos) {
            runs.Style |= bit;
        }
    }
    for (std::size_t at = first; at != std::string_view::npos; at = FindNoCase(utf8, "[color=#", at + 1)) {
        const std::optional<TColor> color = ColorOfHex(utf8.substr(at + 8));
        const std::size_t open = at + 14;
        if (!color || open >= utf8.size() || utf8[open] != ']') {
            continue;
        }
        const std::size_t close = FindNoCase(utf8, "[/color]", open + 1);
        const std::size_t end = close == std::string_view::npos ? utf8.size() : close;
        std::string text(utf8.substr(open + 1, end - open - 1));
        std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
        runs.Add(text, *color);
        at = end;
    }
    return runs;
}

namespace {

// The style bit of a MiniMessage style tag; 0 for any other tag.
TFontStyles MiniMessageStyle(std::string_view tag) {
    if (tag == "b" || tag == "bold") {
        return fsBold;
    }
    if (tag == "i" || tag == "italic" || tag == "em") {
        return fsItalic;
    }
    if (tag == "u" || tag == "underlined") {
        return fsUnderline;
    }
    return tag == "st" || tag == "strikethrough" ? fsStrikeOut : 0;
}

} // namespace

namespace {

// MiniMessage's open colour and gradient tags: the text goes in the innermost, a gradient's
// text through its own stops; a closing tag goes back to the one before.
class TMiniMessageScan {
public:
    void Text(char c) { text_ += c; }
    void Tag(std::string_view tag) {
        if (tag.starts_with('#') || tag.starts_with("color:#") || tag.starts_with("c:#")) {
            Open({ColorOfHex(tag.substr(tag.find('#') + 1)), {}});
        } else if (tag.starts_with("gradient")) {
            std::vector<TColor> stops;
            for (std::size_t hash = tag.find('#'); hash != std::string_view::npos;
                 hash = tag.find('#', hash + 1)) {
                if (const std::optional<TColor> stop = ColorOfHex(tag.substr(hash + 1))) {
                    stops.push_back(*stop);
                }
            }
            Open({std::nullopt, std::move(stops)});
        } else if (tag.starts_with("/#") || tag == "/color" || tag.starts_with("/color:") || tag == "/c" ||
                   tag.starts_with("/c:") || tag.starts_with("/gradient")) {
            Flush();
            if (!open_.empty()) {
                open_.pop_back();
            }
        } else if (tag == "reset") {
            Flush();
            open_.clear();
        } else {
            runs_.Style |= MiniMessageStyle(tag);
        }
    }
    TReadRuns Finish() {
        Flush();
        return std::move(runs_);
    }

private:
    struct TOpen {
        std::optional<TColor> Color;
        std::vector<TColor> Stops; // a gradient's
    };
    void Open(TOpen tag) {
        Flush();
        open_.push_back(std::move(tag));
    }
    // The text so far in the innermost tag's colours; text in no colour is left out.
    void Flush() {
        if (!open_.empty() && !open_.back().Stops.empty()) {
            runs_.AddThrough(text_, open_.back().Stops);
        } else if (!open_.empty() && open_.back().Color) {
            runs_.Add(text_, *open_.back().Color);
        }
        text_.clear();
    }

    TReadRuns runs_;
    std::vector<TOpen> open_;
    std::string text_;
};

} // namespace

TReadRuns ReadMiniMessageRuns(std::string_view utf8) {
    TMiniMessageScan scan;
    // Where the next > stands, found once for all the < before it.
    std::size_t close = 0;
    for (std::size_t k = 0; k < utf8.size(); ++k) {
        const char c = utf8[k];
        if (c == '\\' && k + 1 < utf8.size() && (utf8[k + 1] == '<' || utf8[k + 1] == '\\')) {
            scan.Text(utf8[++k]);
            continue;
        }
        if (c == '\r' || c == '\n') {
            continue;
        }
        if (c == '<' && close != std::string_view::npos && close <= k) {
            close = utf8.find('>', k);
        }
        if (c != '<' || close == std::string_view::npos) {
            scan.Text(c);
            continue;
        }
        scan.Tag(Lower(utf8.substr(k + 1, close - k - 1)));
        k = close;
    }
    TReadRuns runs = scan.Finish();
    runs.StopColour = MiniMessageGradientColor;
    return runs;
}

bool ContainsNoCase(std::string_view text, std::string_view lowerNeedle) {
    if (lowerNeedle.empty()) {
        return true;
    }
    // Each place where the first letter stands, in either case, found by the library's search.
    const char lower = lowerNeedle.front();
    const char upper = lower >= 'a' && lower <= 'z' ? static_cast<char>(lower - 'a' + 'A') : lower;
    const auto matchesAt = [&](std::size_t at) {
        if (text.size() - at < lowerNeedle.size()) {
            return false;
        }
        for (std::size_t k = 1; k < lowerNeedle.size(); ++k) {
            if (AsciiLower(text[at + k]) != lowerNeedle[k]) {
                return false;
            }
        }
        return true;
    };
    std::size_t nextLower = text.find(lower);
    std::size_t nextUpper = upper == lower ? std::string_view::npos : text.find(upper);
    while (nextLower != std::string_view::npos || nextUpper != std::string_view::npos) {
        const std::size_t at = std::min(nextLower, nextUpper);
        if (matchesAt(at)) {
            return true;
        }
        if (at == nextLower) {
            nextLower = text.find(lower, at + 1);
        } else {
            nextUpper = text.find(upper, at + 1);
        }
    }
    return false;
}

namespace {

// Whether a tag `lowerOpen` (its < and name, lower case) stands in the text in any case, white
// space of any kind (a line break too) then `lowerAttribute` after its name.
bool HasTagWith(std::string_view text, std::string_view lowerOpen, std::string_view lowerAttribute) {
    for (std::size_t at = FindNoCase(text, lowerOpen); at != std::string_view::npos;
         at = FindNoCase(text, lowerOpen, at + 1)) {
        std::size_t k = at + lowerOpen.size();
        const std::size_t name = k;
        while (k < text.size() && IsSpace(text[k])) {
            ++k;
        }
        const std::string_view rest = text.substr(k, lowerAttribute.size());
        if (k > name && rest.size() == lowerAttribute.size() &&
            std::equal(rest.begin(), rest.end(), lowerAttribute.begin(),
                       [](char a, char b) { return AsciiLower(a) == b; })) {
            return true;
        }
    }
    return false;
}

} // namespace

bool LooksLikeFontTags(std::string_view text) {
    return HasTagWith(text, "<font", "color=");
}

bool LeadsWithFontTags(std::string_view text) {
    return text.starts_with('<') && LooksLikeFontTags(text);
}

bool LeadsWithCssSpans(std::string_view text) {
    return text.starts_with('<') && LooksLikeCssSpans(text);
}

bool LeadsWithPango(std::string_view text) {
    return text.starts_with('<') && LooksLikePango(text);
}

bool LeadsWithCssClip(std::string_view text) {
    return text.starts_with('<') && LooksLikeCssClip(text);
}

bool LeadsWithBbcode(std::string_view text) {
    return text.starts_with('[') && LooksLikeBbcode(text);
}

bool LooksLikeCssSpans(std::string_view text) {
    return ContainsNoCase(text, "<span") && ContainsNoCase(text, "color:#");
}

bool LooksLikePango(std::string_view text) {
    return HasTagWith(text, "<span", "foreground=");
}

bool LooksLikeCssClip(std::string_view text) {
    return ContainsNoCase(text, "background-clip:text");
}

bool LooksLikeBbcode(std::string_view text) {
    return ContainsNoCase(text, "[color=#");
}

bool LooksLikeMiniMessage(std::string_view text) {
    for (bool more = true; more;) {
        more = false;
        for (const std::string_view style : {"<b>", "<i>", "<u>", "<st>"}) {
            if (text.starts_with(style)) {
                text.remove_prefix(style.size());
                more = true;
            }
        }
        // And the text shadow, which the writer puts before the colours too.
        if (const std::size_t close = text.find('>');
            text.starts_with("<shadow:") && close != std::string_view::npos) {
            text.remove_prefix(close + 1);
            more = true;
        }
    }
    return text.starts_with("<#") || text.starts_with("<gradient:") || text.starts_with("<color:#") ||
           text.starts_with("<c:#");
}

bool HasMiniMessageTag(std::string_view text) {
    return text.find("<#") != std::string_view::npos || text.find("<gradient:") != std::string_view::npos;
}
