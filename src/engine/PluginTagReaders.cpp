#include "engine/PluginTagReaders.h"

#include "engine/CodePage.h"
#include "engine/OrivUtil.h"
#include "engine/UnicodeText.h"

#include <optional>
#include <vector>

namespace {

enum class TCodeRole { Solid, Open, Middle, Close, Toggle };

// A code's text around its six digits, and what it does.
struct TCodeShape {
    std::string_view Before;
    std::string_view After;
    TCodeRole Role;
};

// Longer openings before the shorter ones they begin with.
constexpr TCodeShape kShapes[] = {
    {"</gradient:#", ">", TCodeRole::Close}, {"</gradient:", ">", TCodeRole::Close},
    {"<gradient:#", ">", TCodeRole::Open},   {"<gradient:", ">", TCodeRole::Open},
    {"<solid:#", ">", TCodeRole::Solid},     {"<solid:", ">", TCodeRole::Solid},
    {"</#", ">", TCodeRole::Close},          {"<$#", ">", TCodeRole::Toggle},
    {"<##", ">", TCodeRole::Solid},          {"<#", ">", TCodeRole::Open},
    {"#<", ">", TCodeRole::Solid},           {"{#", "<>}", TCodeRole::Middle},
    {"{#", ">}", TCodeRole::Open},           {"{#", "<}", TCodeRole::Close},
    {"{#", "}", TCodeRole::Solid},
};

struct TCode {
    TCodeRole Role;
    TColor Color;
    std::size_t Length;
};

bool StartsWithNoCase(std::string_view text, std::string_view lower) {
    if (text.size() < lower.size()) {
        return false;
    }
    for (std::size_t k = 0; k < lower.size(); ++k) {
        if (AsciiLower(text[k]) != lower[k]) {
            return false;
        }
    }
    return true;
}

std::optional<TCode> CodeAt(std::string_view text) {
    for (const TCodeShape& shape : kShapes) {
        if (!StartsWithNoCase(text, shape.Before)) {
            continue;
        }
        const std::string_view rest = text.substr(shape.Before.size());
        if (rest.size() < 6 + shape.After.size() || !rest.substr(6).starts_with(shape.After)) {
            continue;
        }
        if (const std::optional<TColor> color = ColorOfHex(rest.substr(0, 6))) {
            return TCode{shape.Role, *color, shape.Before.size() + 6 + shape.After.size()};
        }
    }
    return std::nullopt;
}

TFontStyles FormatStyle(char code) {
    switch (AsciiLower(code)) {
    case 'l':
        return fsBold;
    case 'o':
        return fsItalic;
    case 'n':
        return fsUnderline;
    case 'm':
        return fsStrikeOut;
    default:
        return 0;
    }
}

class TPluginTagReader {
public:
    TReadRuns Read(std::string_view utf8) {
        // The line end after the last line is no part of the text.
        while (utf8.ends_with('\n') || utf8.ends_with('\r')) {
            utf8.remove_suffix(1);
        }
        std::size_t plainFrom = 0;
        for (std::size_t at = 0; at < utf8.size();) {
            const std::optional<TCode> code = CodeAt(utf8.substr(at));
            if (!code) {
                ++at;
                continue;
            }
            Text(utf8.substr(plainFrom, at - plainFrom));
            at += code->Length;
            Code(*code);
            // The formatting codes after a colour.
            while (at + 1 < utf8.size() && utf8[at] == '&' && FormatStyle(utf8[at + 1]) != 0) {
                runs_.Style |= FormatStyle(utf8[at + 1]);
                at += 2;
            }
            plainFrom = at;
        }
        Text(utf8.substr(plainFrom));
        EndGradient();
        return std::move(runs_);
    }

private:
    void Text(std::string_view text) {
        if (!stops_.empty()) {
            gradientText_ += text;
        } else {
            runs_.Add(text, color_);
        }
    }

    void Code(const TCode& code) {
        switch (code.Role) {
        case TCodeRole::Solid:
            EndGradient();
            color_ = code.Color;
            break;
        case TCodeRole::Open:
            EndGradient();
            stops_.push_back(code.Color);
            break;
        case TCodeRole::Middle:
            if (!stops_.empty()) {
                stops_.push_back(code.Color);
            }
            break;
        case TCodeRole::Close:
            if (!stops_.empty()) {
                stops_.push_back(code.Color);
                EndGradient();
            }
            color_ = code.Color;
            break;
        case TCodeRole::Toggle:
            stops_.push_back(code.Color);
            if (stops_.size() > 1) {
                EndGradient();
            }
            break;
        }
    }

    // The units of the gradient's text in the colours the plugin draws through its stops.
    void EndGradient() {
        if (stops_.empty()) {
            return;
        }
        const TColor first = stops_.front();
        const TColor last = stops_.back();
        const TGradient gradient{SplitColor(first), SplitColor(stops_.size() == 3 ? stops_[1] : last),
                                 SplitColor(last), stops_.size() == 3 ? gmThreeColor : gmTwoColor};
        const TUnitText text = UnitTextFromUtf8(gradientText_);
        const int n = UnitCount(text.Text, text.Clusters);
        TUnitWalk walk(text.Text, text.Clusters);
        for (int i = 1; i <= n; ++i) {
            runs_.Add(UnitUtf8(walk.Next()), n == 1 ? first : GradientColor(gradient, i, n));
        }
        color_ = last;
        stops_.clear();
        gradientText_.clear();
    }

    TReadRuns runs_;
    TColor color_ = clWhite;
    std::vector<TColor> stops_; // of the gradient open, if any
    std::string gradientText_;
};

bool BeginsWith(std::string_view text, TCodeRole role, std::string_view before) {
    const std::optional<TCode> code = CodeAt(text);
    return code && code->Role == role && StartsWithNoCase(text, before);
}

} // namespace

TReadRuns ReadPluginTagRuns(std::string_view utf8) {
    return TPluginTagReader().Read(utf8);
}

bool LooksLikeTabTags(std::string_view text) {
    // TAB's gradient is <#A>text</#B>, its text without a tag: a MiniMessage text that opens
    // another colour before it closes one is MiniMessage's.
    const auto closesFirst = [text] {
        const std::size_t next = text.find('<', 1);
        return next != std::string_view::npos && text.substr(next).starts_with("</#");
    };
    return BeginsWith(text, TCodeRole::Solid, "#<") || BeginsWith(text, TCodeRole::Toggle, "<$#") ||
           (BeginsWith(text, TCodeRole::Open, "<#") && closesFirst());
}

bool LooksLikeCmiTags(std::string_view text) {
    return BeginsWith(text, TCodeRole::Solid, "{#") || BeginsWith(text, TCodeRole::Open, "{#");
}

bool LooksLikeIridiumTags(std::string_view text) {
    return BeginsWith(text, TCodeRole::Solid, "<solid:") || BeginsWith(text, TCodeRole::Open, "<gradient:");
}

bool LooksLikeSkriptColours(std::string_view text) {
    return BeginsWith(text, TCodeRole::Solid, "<##");
}
