#pragma once

#include "engine/HtmlOptions.h"
#include "engine/OutputEmitter.h"

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The gradient tags of the Minecraft plugins that draw a gradient themselves from its stops
// (TAB, CMI, IridiumColorAPI) and their one-colour codes (TAB, CMI, Iridium, Skript).

// A code is its opening text, six hexadecimal digits and its closing text; empty: the syntax
// has no such code.
struct TPluginCode {
    std::string_view Before{};
    std::string_view After{};

    bool Exists() const { return !Before.empty(); }
};

struct TPluginTags {
    TPluginCode Solid;  // one colour, before a unit or a run
    TPluginCode Open;   // the gradient's first stop
    TPluginCode Middle; // a stop between (none: the plugin takes two stops only)
    TPluginCode Close;  // the gradient's last stop
};

inline constexpr TPluginTags kTabTags{{"#<", ">"}, {"<#", ">"}, {}, {"</#", ">"}};
inline constexpr TPluginTags kCmiTags{{"{#", "}"}, {"{#", ">}"}, {"{#", "<>}"}, {"{#", "<}"}};
inline constexpr TPluginTags kIridiumTags{{"<SOLID:", ">"}, {"<GRADIENT:", ">"}, {}, {"</GRADIENT:", ">"}};
inline constexpr TPluginTags kSkriptTags{{"<##", ">"}, {}, {}, {}};

// The stops the plugin draws these colours of the units from (two, or three with a middle stop
// where it takes one), exactly as the engine's sRGB gradient gives them; empty when it cannot:
// another colour space, more stops, the rainbow, fewer than two units.
std::vector<TColor> DrawnStops(const TPluginTags& tags, std::span<const TColor> colors);

template <const TPluginTags& Tags> bool PluginDraws(std::span<const TColor> colors) {
    return !DrawnStops(Tags, colors).empty();
}

// Writes only the stops where the plugin draws the colours and the text holds no character that
// could be read as part of a code; otherwise each unit's colour (one per run when merging), a
// unit after one that could begin a code always with its own. The formatting codes follow each
// colour, as in the legacy codes.
class TPluginTagEmitter final : public TOutputEmitter {
public:
    TPluginTagEmitter(const TPluginTags& tags, const THtmlOptions& options, std::string_view text,
                      int unitCount);

    void AppendUnit(const TTextUnit& unit, TColor color) override;
    THtmlText Finish() override;
    // The output is made at the end, once every colour is known; the sink gets it then.
    void StreamTo(TOutputSink& sink) override { sink_ = &sink; }

private:
    void PutCode(const TPluginCode& code, TColor color);
    bool WriteStops();
    void WriteUnits();

    const TPluginTags& tags_;
    std::string styles_;
    bool merge_;
    bool plainSpaces_;
    std::string text_;                // every unit's UTF-8
    std::vector<std::size_t> starts_; // of each unit in text_
    std::vector<TColor> colors_;
    std::string out_;
    TOutputSink* sink_ = nullptr;
};

template <const TPluginTags& Tags>
std::unique_ptr<TOutputEmitter> MakePluginTagEmitter(const TTagVocabulary& /*tg*/,
                                                     const THtmlOptions& options, std::string_view text,
                                                     int unitCount, const TClusterTable& /*clusters*/) {
    return std::make_unique<TPluginTagEmitter>(Tags, options, text, unitCount);
}
