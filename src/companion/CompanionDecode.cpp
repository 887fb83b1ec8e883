#include "companion/CompanionDecode.h"

#include "companion/CompanionIo.h"
#include "companion/CompanionOptions.h"
#include "companion/CompanionRefusal.h"
#include "companion/CompanionTexts.h"
#include "engine/OutputKind.h"
#include "engine/TargetReader.h"
#include "engine/TextJoin.h"
#include "store/FileOps.h"
#include "store/IniGT.h"
#include "store/SafeFile.h"
#include "store/StyleRecord.h"

#include <string>
#include <string_view>

namespace {

// A decoded character as it may stand on a terminal: control characters as their pictures.
void AppendUtf8Picture(std::string& out, unsigned code) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
}

std::string Printable(std::string_view utf8) {
    std::string printable;
    for (std::size_t k = 0; k < utf8.size(); ++k) {
        const auto byte = static_cast<unsigned char>(utf8[k]);
        if (byte < 0x20 || byte == 0x7F) {
            AppendUtf8Picture(printable, byte == 0x7F ? 0x2421 : 0x2400 + byte);
        } else if (byte == 0xC2 && k + 1 < utf8.size() && static_cast<unsigned char>(utf8[k + 1]) < 0xA0) {
            printable += "\xEF\xBF\xBD"; // a C1 control
            ++k;
        } else {
            printable += static_cast<char>(byte);
        }
    }
    return printable;
}

// --decode: the plain text, then each character's colour; --to-style writes the style.
int Decode(const TCompanionOptions& o, TCompanionInput& in, std::string& out, std::string& err) {
    const std::string input = !o.text || *o.text == "-" ? ReadStandardInput(in, o.inputLimit)
                                                        : ReadTextFile("--decode", *o.text, o.inputLimit);
    TReadRefusal why{};
    const std::optional<TReadText> read = ReadGradientText(input, why);
    if (!read) {
        const std::string source =
            o.text && *o.text != "-" ? Join("'", *o.text, "'") : std::string("standard input");
        err = why == TReadRefusal::NestedTooDeeply
                  ? Refusal("the text components in ", source, " nest more than ",
                            std::to_string(kMostReadNesting), " deep: not read")
                        .message
                  : Refusal("no gradient text that Tintrel can read in ", source).message;
        err += '\n';
        return 1;
    }
    err = Refusal("read as ", OutputKindName(read->Kind)).message + "\n";
    out = Printable(read->Text()) + "\n";
    for (const TReadUnit& unit : read->Units) {
        char hex[6];
        WriteColorHex(unit.Color, hex);
        out.append("#").append(hex, 6).append("\t").append(Printable(read->UnitUtf8(unit))).append("\n");
    }
    if (o.toStyle) {
        const TGradient gradient = GradientOfColours(read->Units);
        TStyleRecord style;
        style.StartColor = JoinColor(gradient.Start);
        style.FinishColor = JoinColor(gradient.Finish);
        style.MiddleColor = JoinColor(gradient.Middle);
        style.Mirror = gradient.Mode == gmMirror;
        style.Trico = gradient.Mode == gmThreeColor;
        style.DrawFont.Style = read->Style;
        try {
            // A file of this style alone.
            SaveFileSafely(*o.toStyle, {}, *DefaultFileOps());
            TIniGT store;
            store.SetDefaultDir(ddNone);
            store.SetFileName(*o.toStyle);
            SaveStyleRecord(store, "Decoded", style);
        } catch (const EIniError& e) {
            out.clear();
            err = Refusal("cannot write --to-style '", *o.toStyle, "': ", e.what()).message + "\n";
            return 2;
        }
    }
    return 0;
}

} // namespace

int Decode(const TCompanionOptions& o, TCompanionIo& io) {
    std::string out;
    std::string err;
    const int status = Decode(o, io.In, out, err);
    io.Err.Write(err);
    io.Out.Write(out);
    return status;
}
