#pragma once

#include "engine/TargetEmitter.h"

#include <array>
#include <string>
#include <string_view>

class TTagVocabulary;
struct TGradient;

// Minecraft text with any RGB colour (Java Edition 1.16 on), in UTF-8, one colour code per
// character (one per run when fitting).

// MiniMessage tags: <#RRGGBB> before each character, the styles as <b> <i> <u> <st> around the
// whole text; < and \ in the text escaped with a backslash.
class TMiniMessageEmitter final : public TTargetEmitter {
public:
    TMiniMessageEmitter(const TTagVocabulary& tg, const THtmlOptions& options, std::string_view text,
                        int characterCount, const TClusterTable& clusters = kNoClusters);

private:
    void PutCode(TColor color) override;
    void PutText(std::string_view utf8) override;
    void PutEnd() override;
    std::string closing_;
    bool autoShadow_ = false; // each colour followed by its shade's shadow tag
};

// The legacy codes: &#RRGGBB (amp-hex), &x&R&R&G&G&B&B (amp-x) or §x§R§R§G§G§B§B (section-x), each
// followed by the formatting codes (a colour code resets them): l bold, o italic, n underline,
// m strike.
class TLegacyCodeEmitter final : public TTargetEmitter {
public:
    TLegacyCodeEmitter(const TTagVocabulary& tg, const THtmlOptions& options, std::string_view text,
                       int characterCount, const TClusterTable& clusters = kNoClusters);

private:
    void PutCode(TColor color) override;
    void PutText(std::string_view utf8) override;
    bool CodeAfter(std::string_view utf8) const override;
    void PutEnd() override {}
    std::string prefix_;  // "&" or "§"
    std::string formats_; // written after every colour
    bool hexForm_;        // &#RRGGBB rather than the x form
    std::string code_;    // the x form's code, its digits at these places
    std::array<std::size_t, 6> digits_{};
};

// JSON text components: ["",{"text":"H","color":"#RRGGBB","bold":true},...], strict JSON (a
// character beyond U+FFFF escaped as a surrogate pair, control characters escaped).
class TJsonEmitter final : public TTargetEmitter {
public:
    TJsonEmitter(const TTagVocabulary& tg, const THtmlOptions& options, std::string_view text,
                 int characterCount, const TClusterTable& clusters = kNoClusters);

private:
    void PutCode(TColor color) override;
    void PutText(std::string_view utf8) override;
    void PutEnd() override;
    void CloseObject();
    std::string styles_;
    TTextShadow shadow_;
    TColor color_ = 0;
    bool open_ = false;
};

// MiniMessage's shadow tag for a character of `color`: <shadow:#RRGGBB> with the opacity
// after a colon when it is below 1.
std::string MiniMessageShadowTag(const TTextShadow& shadow, TColor color);

// Appends `utf8` as the inside of a JSON string.
void AppendJsonString(std::string& out, std::string_view utf8);

// MiniMessage's compact form: the whole text in one <gradient:...> tag with the gradient's stops;
// empty when the colours the server computes from them are not the ones the units are written in.
THtmlText MiniMessageGradientTag(std::string_view text, const TClusterTable& clusters,
                                 const TGradient& gradient, const THtmlOptions& options);
