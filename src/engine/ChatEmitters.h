#pragma once

#include "engine/TargetEmitter.h"
#include "engine/TargetPalettes.h"

#include <string>
#include <string_view>

class TTagVocabulary;

// The chat programs that take a few colours only, in UTF-8: each character's colour mapped to
// the nearest colour of the program's palette, one code for each run of one colour.

// Discord: a fenced code block marked ansi, codes 30 to 37, bold and underline as 1 and 4. A
// backtick is followed by a code, so the text can never close the fence.
class TDiscordEmitter final : public TTargetEmitter {
public:
    TDiscordEmitter(const TTagVocabulary& tg, const THtmlOptions& options, std::string_view text,
                    int characterCount, const TClusterTable& clusters = kNoClusters);

private:
    std::uint32_t CodeKey(TColor color) override { return static_cast<std::uint32_t>(mapper_.Index(color)); }
    void PutCode(TColor color) override;
    void PutText(std::string_view utf8) override;
    bool CodeAfter(std::string_view utf8) const override { return utf8.ends_with('`'); }
    void PutEnd() override;
    TPaletteMapper mapper_;
};

// IRC: mIRC colour codes from the 99-colour palette, always two digits, the styles as their
// toggles at the start, a reset at the end; with IrcHex each colour also as 0x04 RRGGBB.
class TIrcEmitter final : public TTargetEmitter {
public:
    TIrcEmitter(const TTagVocabulary& tg, const THtmlOptions& options, std::string_view text,
                int characterCount, const TClusterTable& clusters = kNoClusters);

private:
    std::uint32_t CodeKey(TColor color) override {
        return hex_ ? color : static_cast<std::uint32_t>(mapper_.Index(color));
    }
    void PutCode(TColor color) override;
    void PutText(std::string_view utf8) override;
    void PutEnd() override;
    TPaletteMapper mapper_;
    bool hex_;
};

// The colour Discord shows for a colour written, and IRC (the palette's, or the colour itself
// where the hexadecimal form is written too).
TColor ShownOnDiscord(TColor color, const THtmlOptions& options);
TColor ShownOnIrc(TColor color, const THtmlOptions& options);
