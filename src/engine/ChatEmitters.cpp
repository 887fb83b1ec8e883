#include "engine/ChatEmitters.h"

#include "engine/ControlPicture.h"

TDiscordEmitter::TDiscordEmitter(const TTagVocabulary& /*tg*/, const THtmlOptions& options,
                                 std::string_view text, int characterCount, const TClusterTable& /*clusters*/)
    : TTargetEmitter(options, true), mapper_(DiscordPalette()) {
    MarkControls();
    MarkC1Controls();
    MarkSpecial("`");
    out_.Expect(32 + text.size() * 2 + RunCodes(characterCount) * 5);
    out_.Append("```ansi\r\n");
    if (Bold(options) && Underline(options)) {
        out_.Append("\x1b[1;4m");
    } else if (Bold(options) || Underline(options)) {
        out_.Append(Bold(options) ? "\x1b[1m" : "\x1b[4m");
    }
}

void TDiscordEmitter::PutCode(TColor color) {
    out_.MakeRoom(5);
    out_.Put("\x1b[3");
    out_.Put(static_cast<char>('0' + mapper_.Index(color)));
    out_.Put('m');
}

void TDiscordEmitter::PutText(std::string_view utf8) {
    const std::string_view picture = ControlOrC1PictureOf(utf8);
    out_.MakeRoom(utf8.size() + picture.size());
    out_.PutCharacter(picture.empty() ? utf8 : picture);
}

void TDiscordEmitter::PutEnd() {
    out_.Append("\x1b[0m\r\n```");
}

TIrcEmitter::TIrcEmitter(const TTagVocabulary& /*tg*/, const THtmlOptions& options, std::string_view text,
                         int characterCount, const TClusterTable& /*clusters*/)
    : TTargetEmitter(options, true), mapper_(IrcPalette()), hex_(options.IrcHex) {
    MarkControls();
    MarkC1Controls();
    MarkSpecial(",");
    out_.Expect(8 + text.size() * 2 + RunCodes(characterCount) * (hex_ ? 10 : 3));
    std::string toggles;
    toggles += Bold(options) ? "\x02" : "";
    toggles += Italic(options) ? "\x1D" : "";
    toggles += Underline(options) ? "\x1F" : "";
    toggles += Strike(options) ? "\x1E" : "";
    out_.Append(toggles);
}

void TIrcEmitter::PutCode(TColor color) {
    const int index = mapper_.Index(color);
    out_.MakeRoom(10);
    out_.Put('\x03');
    out_.Put(static_cast<char>('0' + index / 10));
    out_.Put(static_cast<char>('0' + index % 10));
    if (hex_) {
        out_.Put('\x04');
        out_.PutHex(color);
    }
}

void TIrcEmitter::PutText(std::string_view utf8) {
    const std::string_view picture = ControlOrC1PictureOf(utf8);
    out_.MakeRoom(utf8.size() + picture.size() + 2);
    if (CodeBefore() && utf8.starts_with(',')) {
        // A comma right after a colour would begin a background colour: two bold toggles, which
        // cancel out, keep them apart.
        out_.Put("\x02\x02");
    }
    out_.PutCharacter(picture.empty() ? utf8 : picture);
}

void TIrcEmitter::PutEnd() {
    out_.Append("\x0F");
}

TColor ShownOnDiscord(TColor color, const THtmlOptions& /*options*/) {
    thread_local TPaletteMapper mapper(DiscordPalette());
    return mapper.Color(mapper.Index(color));
}

TColor ShownOnIrc(TColor color, const THtmlOptions& options) {
    if (options.IrcHex) {
        return color;
    }
    thread_local TPaletteMapper mapper(IrcPalette());
    return mapper.Color(mapper.Index(color));
}
