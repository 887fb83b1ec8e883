#include "engine/OutputTemplate.h"

#include "engine/TextJoin.h"

#include <charconv>

namespace {

struct TFieldName {
    std::string_view Name;
    TTemplateField Field;
    int Digit = 0;
};

constexpr TFieldName kFields[] = {
    {"HEX", TTemplateField::HexUpper},
    {"hex", TTemplateField::HexLower},
    {"HEX3", TTemplateField::Hex3Upper},
    {"hex3", TTemplateField::Hex3Lower},
    {"r", TTemplateField::Red},
    {"g", TTemplateField::Green},
    {"b", TTemplateField::Blue},
    {"rf", TTemplateField::RedUnit},
    {"gf", TTemplateField::GreenUnit},
    {"bf", TTemplateField::BlueUnit},
    {"X1", TTemplateField::DigitUpper, 0},
    {"X2", TTemplateField::DigitUpper, 1},
    {"X3", TTemplateField::DigitUpper, 2},
    {"X4", TTemplateField::DigitUpper, 3},
    {"X5", TTemplateField::DigitUpper, 4},
    {"X6", TTemplateField::DigitUpper, 5},
    {"x1", TTemplateField::DigitLower, 0},
    {"x2", TTemplateField::DigitLower, 1},
    {"x3", TTemplateField::DigitLower, 2},
    {"x4", TTemplateField::DigitLower, 3},
    {"x5", TTemplateField::DigitLower, 4},
    {"x6", TTemplateField::DigitLower, 5},
    {"char", TTemplateField::Unit},
    {"char:json", TTemplateField::UnitJson},
    {"char:html", TTemplateField::UnitMarkup},
    {"char:xml", TTemplateField::UnitMarkup},
    {"char:mm", TTemplateField::UnitMiniMessage},
    {"styles", TTemplateField::Styles},
    {"shadow", TTemplateField::ShadowHex},
    {"shadow:argb", TTemplateField::ShadowArgb},
};

constexpr std::string_view kStyleNames[] = {"bold", "italic", "underline", "strike"};

bool WritesUnit(TTemplateField field) {
    return field == TTemplateField::Unit || field == TTemplateField::UnitJson ||
           field == TTemplateField::UnitMarkup || field == TTemplateField::UnitMiniMessage;
}

// Reads the template from left to right; the first problem stops it.
class TTemplateReader {
public:
    explicit TTemplateReader(std::string_view text) : text_(text) {}

    TTemplateReading Read() {
        while (at_ < text_.size() && problem_.empty()) {
            const char c = text_[at_];
            if (Doubled(c)) {
                Literal(c);
                at_ += 2;
            } else if (c == '{') {
                Braces();
            } else if (c == '}') {
                Refuse(at_, "a lone } (write }} for a brace)");
            } else {
                Literal(c);
                ++at_;
            }
        }
        if (problem_.empty() && !writesUnit_) {
            Refuse(text_.size(), "the template writes no unit: put {char} in it");
        }
        if (!problem_.empty()) {
            return {std::nullopt, problemColumn_, problem_};
        }
        return {std::move(template_), 0, {}};
    }

private:
    bool Doubled(char c) const {
        return (c == '{' || c == '}') && at_ + 1 < text_.size() && text_[at_ + 1] == c;
    }

    void Literal(char c) {
        if (template_.Unit.empty() || template_.Unit.back().Field != TTemplateField::Literal) {
            template_.Unit.push_back({});
        }
        template_.Unit.back().Text += c;
    }

    void Refuse(std::size_t offset, std::string problem) {
        if (!problem_.empty()) {
            return;
        }
        // Columns count characters: the bytes that begin one.
        problemColumn_ = 1;
        for (std::size_t k = 0; k < offset && k < text_.size(); ++k) {
            problemColumn_ += (static_cast<unsigned char>(text_[k]) & 0xC0) != 0x80 ? 1 : 0;
        }
        problem_ = std::move(problem);
    }

    // A placeholder {name} or a setting {name=value}, `at_` on its opening brace.
    void Braces() {
        const std::size_t open = at_;
        const std::size_t nameEnd = text_.find_first_of("{}=", open + 1);
        if (nameEnd == std::string_view::npos || text_[nameEnd] == '{') {
            Refuse(open, "unclosed brace");
            return;
        }
        const std::string_view name = text_.substr(open + 1, nameEnd - open - 1);
        if (text_[nameEnd] == '}') {
            at_ = nameEnd + 1;
            Placeholder(name, open);
            return;
        }
        // A setting's value runs to the first single closing brace.
        std::string value;
        std::size_t k = nameEnd + 1;
        for (; k < text_.size(); ++k) {
            const char c = text_[k];
            if ((c == '{' || c == '}') && k + 1 < text_.size() && text_[k + 1] == c) {
                value += c;
                ++k;
            } else if (c == '}') {
                break;
            } else if (c == '{') {
                Refuse(k, "a lone { in a setting's value (write {{ for a brace)");
                return;
            } else {
                value += c;
            }
        }
        if (k >= text_.size()) {
            Refuse(open, "unclosed brace");
            return;
        }
        at_ = k + 1;
        Setting(name, std::move(value), open, nameEnd + 1);
    }

    void Placeholder(std::string_view name, std::size_t open) {
        if (name == "merge") {
            template_.Merge = true;
            return;
        }
        for (const TFieldName& field : kFields) {
            if (field.Name == name) {
                template_.Unit.push_back({field.Field, {}, field.Digit});
                writesUnit_ = writesUnit_ || WritesUnit(field.Field);
                return;
            }
        }
        Refuse(open, Join("unknown placeholder {", name, "}"));
    }

    void Setting(std::string_view name, std::string value, std::size_t open, std::size_t valueAt) {
        if (name == "prefix") {
            template_.Prefix = std::move(value);
        } else if (name == "suffix") {
            template_.Suffix = std::move(value);
        } else if (name == "separator") {
            template_.Separator = std::move(value);
        } else if (name == "merge") {
            if (value != "yes" && value != "no") {
                Refuse(valueAt, "merge is yes or no");
            }
            template_.Merge = value == "yes";
        } else if (name == "count") {
            if (value != "utf16" && value != "bytes") {
                Refuse(valueAt, "count is utf16 or bytes");
            }
            template_.Counted = value == "bytes" ? TLengthUnit::Bytes : TLengthUnit::Utf16;
        } else if (name == "limit") {
            std::size_t limit = 0;
            const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), limit);
            if (value.empty() || error != std::errc() || end != value.data() + value.size()) {
                Refuse(valueAt, "the limit is not a number");
            }
            template_.Limit = limit;
        } else {
            for (std::size_t style = 0; style < std::size(kStyleNames); ++style) {
                if (kStyleNames[style] == name) {
                    template_.StyleCodes[style] = std::move(value);
                    return;
                }
            }
            Refuse(open, Join("unknown setting {", name, "=...}"));
        }
    }

    std::string_view text_;
    std::size_t at_ = 0;
    TOutputTemplate template_;
    bool writesUnit_ = false;
    std::size_t problemColumn_ = 0;
    std::string problem_;
};

} // namespace

std::string TTemplateReading::Message() const {
    return Join("column ", std::to_string(Column), ": ", Problem);
}

TTemplateReading ReadOutputTemplate(std::string_view text) {
    return TTemplateReader(text).Read();
}
