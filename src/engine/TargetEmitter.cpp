#include "engine/TargetEmitter.h"

#include "engine/CodePage.h"
#include "engine/GradientWalk.h"
#include "engine/TextJoin.h"

#include <algorithm>

TTargetEmitter::TTargetEmitter(const THtmlOptions& options, bool alwaysMerge)
    : merge_(alwaysMerge || options.Fit.MergeRuns), plainSpaces_(options.Fit.PlainSpaces) {}

void TTargetEmitter::AppendUnit(const TTextUnit& unit, TColor color) {
    Append(UnitUtf8(unit), color, false);
}

void TTargetEmitter::AppendUnits(TUnitWalk& walk, TGradientWalk& colors, int count) {
    const std::string_view text = walk.Text();
    const TCp932Utf8Table& table = TCp932Utf8Table::Get();
    // The next unit in `color`: a plain character in a run that needs no code is written here.
    const auto next = [&](TColor color, bool run) {
        const std::size_t start = walk.Offset();
        if (const TClusterUnit* cluster = walk.Step()) {
            Append(walk.Cluster(*cluster).Utf8, color, false);
            return;
        }
        const std::size_t length = walk.Offset() - start;
        // ASCII is the same in UTF-8.
        const std::string_view utf8 = length == 1 && static_cast<unsigned char>(text[start]) < 0x80
                                          ? text.substr(start, 1)
                                          : table.Lookup(text.substr(start, length));
        const bool plain = !special_[static_cast<unsigned char>(utf8.back())];
        if (run && plain && !forceCode_) {
            out_.MakeRoom(utf8.size());
            out_.PutCharacter(utf8);
        } else {
            Append(utf8, color, plain);
        }
    };
    for (int k = 0; k < count;) {
        const TColor color = colors.Next();
        next(color, false);
        ++k;
        // The units after it in the same colour need no code of their own, unless a character
        // asks for one; but where it was a plain space, its colour may have no code yet.
        if (!merge_ || color != keyColor_) {
            continue;
        }
        const int same = std::min(colors.Repeats(color), count - k);
        for (int r = 0; r < same; ++r) {
            next(color, true);
        }
        colors.Skip(same);
        k += same;
    }
}

void TTargetEmitter::Append(std::string_view utf8, TColor color, bool plain) {
    // A plain space goes in the colour before it, even after a character that asks for a code
    // (a space cannot begin one).
    bool code = first_;
    if (!code && !(plainSpaces_ && utf8 == " ")) {
        code = forceCode_ || !merge_ || NewKey(color);
    }
    if (code) {
        lastKey_ = CodeKey(color);
        keyColor_ = color;
        PutCode(color);
    }
    first_ = false;
    if (plain) {
        out_.MakeRoom(utf8.size());
        out_.PutCharacter(utf8);
        forceCode_ = false;
        return;
    }
    codeBefore_ = code;
    PutText(utf8);
    forceCode_ = CodeAfter(utf8);
}

void TTargetEmitter::MarkControls() {
    for (unsigned byte = 0; byte < 0x20; ++byte) {
        special_[byte] = byte != '\t';
    }
    special_[0x7F] = true;
}

void TTargetEmitter::MarkC1Controls() {
    for (unsigned byte = 0x80; byte < 0xA0; ++byte) {
        special_[byte] = true;
    }
}

THtmlText TTargetEmitter::Finish() {
    PutEnd();
    if (out_.Streaming()) {
        // The line end a whole output text gets.
        out_.Append(kCrLf);
        out_.Drain();
        return THtmlText({}, TTextEncoding::Utf8);
    }
    return THtmlText(out_.Take(), TTextEncoding::Utf8);
}
