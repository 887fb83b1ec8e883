#include "companion/CompanionTemplate.h"

#include "companion/CompanionRefusal.h"
#include "companion/CompanionTexts.h"
#include "engine/TemplateEmitter.h"

#include <memory>

namespace {

// A template is one line of settings and placeholders: a file larger than this is no template.
constexpr std::size_t kLargestTemplateFile = std::size_t{64} * 1024;

} // namespace

TOutputKind ParseTemplate(std::string_view option, std::string_view text) {
    TTemplateReading reading = ReadOutputTemplate(text);
    if (!reading.Template) {
        throw Refusal(option, ", ", reading.Message());
    }
    const auto form = std::make_shared<const TOutputTemplate>(std::move(*reading.Template));
    std::string name = "template";
    for (int again = 2; OutputKindFromName(name); ++again) {
        name = "template-" + std::to_string(again);
    }
    return AddOutputKind(TemplateKindRow(name, form)).value_or(DefaultOutputKind());
}

TOutputKind ReadTemplateFile(std::string_view option, const std::string& name) {
    std::string text = ReadTextFile(option, name, kLargestTemplateFile);
    CheckUtf8(option, text);
    if (text.ends_with("\r\n")) {
        text.resize(text.size() - 2);
    } else if (text.ends_with('\n')) {
        text.pop_back();
    }
    return ParseTemplate(option, text);
}
