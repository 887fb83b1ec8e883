#include "companion/HtmlCompanion.h"

#include "companion/CompanionAnimation.h"
#include "companion/CompanionBudget.h"
#include "companion/CompanionContrast.h"
#include "companion/CompanionDecode.h"
#include "companion/CompanionIo.h"
#include "companion/CompanionOptions.h"
#include "companion/CompanionRefusal.h"
#include "companion/CompanionTexts.h"
#include "companion/LineColourer.h"
#include "engine/CodePage.h"
#include "engine/GradientWalk.h"
#include "engine/HtmlBuilder.h"
#include "engine/HtmlPage.h"
#include "engine/LengthSink.h"
#include "engine/OutputEmitter.h"
#include "engine/OutputKind.h"
#include "engine/TagVocabulary.h"
#include "engine/TargetFit.h"
#include "engine/TextLanguage.h"

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string_view>

namespace {

// Whether the locale (LC_ALL, LC_CTYPE, LANG, the first set) is one of UTF-8.
bool Utf8Locale(const TCompanionIo& io) {
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = io.Environment(name);
        if (value != nullptr && *value != '\0') {
            std::string lower(value);
            std::transform(lower.begin(), lower.end(), lower.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
            return lower.find("utf-8") != std::string::npos || lower.find("utf8") != std::string::npos;
        }
    }
    return false;
}

// What the surroundings decide: the term kind for standard input to a terminal, its colours,
// and UTF-8 instead of CP932 for a UTF-8 terminal (said once on standard error).
void SettleTerminal(TCompanionOptions& o, TCompanionIo& io) {
    if (!o.kindGiven && o.fromStdin && io.OutIsTerminal) {
        o.html.Kind = TerminalKind();
    }
    if (o.acrossLines && !OutputKindRow(o.html.Kind).Has(koEveryLine)) {
        throw Refusal("--across-lines is for ", EveryLineKinds());
    }
    if (OutputKindRow(o.html.Kind).FollowsTerminal) {
        o.html.TermDepth = DetectColorDepth(io.Environment("COLORTERM"), io.Environment("NO_COLOR"),
                                            io.Environment("FORCE_COLOR"), io.OutIsTerminal);
    }
    if (OutputKindRow(o.html.Kind).Encoding == TTextEncoding::Cp932 && !o.utf8 && !o.cp932 &&
        io.OutIsTerminal && Utf8Locale(io)) {
        o.utf8 = true;
        io.Err.Write(
            "tintrel-html: writing UTF-8 to this UTF-8 terminal instead of CP932 (--cp932 writes the "
            "CP932 bytes)\n");
    }
}

// The page of a kind split around its HTML text, so that the text can stream between the two;
// none when the page does not hold the text as it is.
std::optional<std::pair<std::string, std::string>> PageAround(const TOutputKindRow& kind,
                                                              const TTagVocabulary& tg, TColor background,
                                                              TTextEncoding encoding,
                                                              const std::string& language) {
    static constexpr std::string_view kMark = "\x01tintrel-page-text\x02";
    const THtmlText marked(std::string(kMark) + "\r\n", encoding);
    const std::string page = kind.Page(marked, tg, background, language).Written();
    const std::size_t at = page.find(marked.Written());
    if (at == std::string::npos || page.find(marked.Written(), at + 1) != std::string::npos) {
        return std::nullopt;
    }
    return std::make_pair(page.substr(0, at), page.substr(at + marked.Written().size()));
}

// The output of one text in a kind that writes it whole (the font kind, css, bbcode, ...),
// written to `out` as it is made; the text without its page also through `meter` when one is
// given, which passes it on to `out`.
void WriteText(const TUnitText& text, const TGradient& gradient, const TCompanionOptions& o,
               const TTagVocabulary& tg, const TCompanionIo& io, TOutputSink& out,
               TLengthSink* meter = nullptr) {
    TOutputSink& textOut = meter != nullptr ? static_cast<TOutputSink&>(*meter) : out;
    const TOutputKindRow& kind = OutputKindRow(o.html.Kind);
    const int n = UnitCount(text.Text, text.Clusters);
    const bool any = text.Text.size() >= 2 && n >= 2;
    const TColor pageBackground = PageBackground(o.html.Table, o.background);
    std::optional<std::pair<std::string, std::string>> page;
    if (o.page) {
        const std::string language =
            o.language.value_or(TextLanguage(TextUtf8(text), DesktopLanguage(io.Environment)));
        page = PageAround(kind, tg, pageBackground, kind.Encoding, language);
        if (!page) {
            // A page that does not hold the text as it is: made whole.
            const THtmlText html = BuildHtmlText(text.Text, text.Clusters, gradient, o.html, tg);
            if (meter != nullptr) {
                meter->Count(html.Written());
            }
            out.Write(kind.Page(html, tg, pageBackground, language).Written());
            return;
        }
        out.Write(page->first);
    }
    if (any) {
        const std::unique_ptr<TOutputEmitter> emitter =
            MakeOutputEmitter(tg, o.html, text.Text, n, text.Clusters);
        emitter->StreamTo(textOut);
        TUnitWalk walk(text.Text, text.Clusters);
        TGradientWalk colors(gradient, n);
        emitter->AppendUnits(walk, colors, n);
        textOut.Write(emitter->Finish().Written());
    }
    if (page) {
        out.Write(page->second);
    }
}

// The output of one text written as it is made and measured on the way against the kind's
// budget; the count or the word on it follows.
void WriteMeasured(const TUnitText& text, const TGradient& gradient, const TCompanionOptions& o,
                   const TTagVocabulary& tg, const TCompanionIo& io) {
    const TOutputKindRow& kind = OutputKindRow(o.html.Kind);
    std::size_t length = 0;
    if (o.utf8 && kind.Encoding == TTextEncoding::Cp932) {
        TCp932ToUtf8Sink utf8(io.Out);
        TLengthSink meter(kind.Counted, &utf8);
        WriteText(text, gradient, o, tg, io, utf8, &meter);
        utf8.Finish();
        length = meter.Length();
    } else {
        TLengthSink meter(kind.Counted, &io.Out);
        WriteText(text, gradient, o, tg, io, io.Out, &meter);
        length = meter.Length();
    }
    if (io.Budget != nullptr) {
        *io.Budget = TBudgetReport{};
    }
    std::string notes;
    ReportLength(o, kind, length, notes, io.Budget);
    io.Err.Write(notes);
}

// Standard input, a TEXT or a file in a terminal kind: every line a text of its own, or one
// gradient across them all.
void WriteLines(TCompanionOptions& o, const TGradient& gradient, const TTagVocabulary& tg, TCompanionIo& io) {
    std::istringstream held;
    TStreamInput heldInput(held);
    TCompanionInput* input = &io.In;
    TLineInput how{.Cp932 = o.stdinIsCp932, .FlushEveryLine = io.OutIsTerminal, .MaxLine = o.inputLimit};
    if (!o.fromStdin) {
        // A TEXT or a file: its lines as standard input's.
        held.str(LinesOfTextOrFile(o, how.Cp932));
        input = &heldInput;
    }
    TLineColourer colourer(tg, o.html, gradient, io.Out);
    if (o.acrossLines) {
        ColourAcrossLines(*input, how, colourer, io.Err);
    } else {
        ColourEveryLine(*input, how, colourer, io.Err);
    }
}

// The gradient the options ask for.
TGradient GradientOf(const TCompanionOptions& o) {
    TGradient gradient = o.extra;
    gradient.Start = SplitColor(o.start);
    gradient.Middle = SplitColor(o.middle);
    gradient.Finish = SplitColor(o.finish);
    gradient.Mode = o.mode;
    return gradient;
}

// The frames of the text (--animate): the text as the still takes it, its language named where
// the kind names one.
int WriteAnimated(TCompanionOptions& o, const std::optional<TUnitText>& checkedText,
                  const TGradient& gradient, const TTagVocabulary& tg, TCompanionIo& io) {
    const TUnitText text = checkedText   ? *checkedText
                           : o.fromStdin ? StandardInputFirstLine(io.In, o.inputLimit, o.stdinIsCp932, io.Err)
                                         : TextOf(o);
    if (OutputKindRow(o.html.Kind).Has(koLanguage)) {
        o.html.Language = o.language.value_or(TextLanguage(TextUtf8(text), DesktopLanguage(io.Environment)));
    }
    return WriteAnimation(o, text, gradient, tg, io);
}

} // namespace

std::optional<TCompanionColouring> CompanionColouring(const std::vector<std::string>& args) {
    try {
        const TCompanionOptions o = ParseArguments(args);
        if (o.fromStdin || o.help || o.version || o.decode) {
            return std::nullopt;
        }
        return TCompanionColouring{TextOf(o), GradientOf(o), o.html};
    } catch (const TUsageError&) {
        return std::nullopt;
    } catch (const std::length_error&) {
        return std::nullopt;
    }
}

int RunHtmlCompanion(const std::vector<std::string>& args, std::string& out, std::string& err) {
    return RunHtmlCompanion(args, std::cin, out, err);
}

int RunHtmlCompanion(const std::vector<std::string>& args, std::istream& in, std::string& out,
                     std::string& err) {
    out.clear();
    err.clear();
    TStreamInput input(in);
    TStringSink outSink(out);
    TStringSink errSink(err);
    TCompanionIo io{input, outSink, errSink, false, [](const char* name) { return std::getenv(name); }};
    const int status = RunHtmlCompanion(args, io);
    if (status == 2) {
        out.clear();
    }
    return status;
}

int RunHtmlCompanion(const std::vector<std::string>& args, TCompanionIo& io) {
    try {
        TCompanionOptions o = ParseArguments(args);
        o.inputLimit = io.InputLimit;
        if (o.help) {
            io.Out.Write(Usage());
            return 0;
        }
        if (o.version) {
            io.Out.Write(std::string(kProgram) + " (Tintrel) " TINTREL_VERSION "\n");
            return 0;
        }
        SettleTerminal(o, io);
        if (o.decode) {
            return Decode(o, io);
        }

        TTagVocabulary tg;
        tg.ApplyTagCase(!o.lower);
        TGradient gradient = GradientOf(o);
        o.html.BackgroundHex = SplitColor(o.background).Hex;

        const TOutputKindRow& kind = OutputKindRow(o.html.Kind);
        std::optional<TUnitText> checkedText; // standard input, once read for the contrast
        if (o.checkContrast || o.fixContrast) {
            if (o.fromStdin && !o.checkContrast && kind.Has(koEveryLine)) {
                throw Refusal("--fix-contrast reads no standard input for --format ", kind.Name,
                              " without --check-contrast");
            }
            const std::vector<TUnitText> texts = ContrastTexts(o, kind.Has(koEveryLine), io);
            std::string out;
            std::string err;
            const std::optional<int> status = SettleContrast(o, texts, gradient, out, err);
            io.Err.Write(err);
            if (status) {
                io.Out.Write(out);
                return *status;
            }
            if (o.fromStdin) {
                checkedText = texts.empty() ? TUnitText{} : texts.front();
            }
        }
        if (o.animation.Type) {
            return WriteAnimated(o, checkedText, gradient, tg, io);
        }
        if (kind.Has(koEveryLine)) {
            // A terminal colouriser: every line a text of its own, none lost.
            WriteLines(o, gradient, tg, io);
            return 0;
        }
        TUnitText text = checkedText   ? *checkedText
                         : o.fromStdin ? StandardInputFirstLine(io.In, o.inputLimit, o.stdinIsCp932, io.Err)
                                       : TextOf(o);
        if (o.letters != TLetterStyle::None) {
            text = UnitTextFromUtf8(StyledLetters(TextUtf8(text), o.letters));
        }
        if (kind.Has(koLanguage)) {
            // The fragment names its text's language as the page does.
            o.html.Language =
                o.language.value_or(TextLanguage(TextUtf8(text), DesktopLanguage(io.Environment)));
        }
        const std::size_t budget = o.budget.value_or(kind.Budget);
        if ((o.budget || o.count || kind.Budget > 0) && !(o.fit && budget > 0)) {
            // A paste target written as it is: measured as it streams.
            io.Err.Write(PerUnitNote(kind, text, gradient));
            WriteMeasured(text, gradient, o, tg, io);
            return 0;
        }
        if (o.budget || o.count || o.fit || kind.Budget > 0) {
            // A paste target shortened to fit: the steps are measured, and the one taken, which
            // fits the budget, is built and written.
            std::string notes = PerUnitNote(kind, text, gradient);
            THtmlText html;
            const int status = BuildWithinBudget(o, kind, text, gradient, tg, html, notes, io.Budget);
            io.Err.Write(notes);
            if (status != 0) {
                return status;
            }
            if (o.page) {
                html = kind.Page(
                    html, tg, PageBackground(o.html.Table, o.background),
                    o.language.value_or(TextLanguage(TextUtf8(text), DesktopLanguage(io.Environment))));
            }
            io.Out.Write(o.utf8 && html.Encoding() == TTextEncoding::Cp932 ? Cp932ToUtf8(html.Written())
                                                                           : html.Written());
            return 0;
        }
        if (o.utf8 && kind.Encoding == TTextEncoding::Cp932) {
            TCp932ToUtf8Sink utf8(io.Out);
            WriteText(text, gradient, o, tg, io, utf8);
            utf8.Finish();
        } else {
            WriteText(text, gradient, o, tg, io, io.Out);
        }
        return 0;
    } catch (const TUsageError& e) {
        io.Err.Write(e.message + "\n");
        return 2;
    } catch (const std::length_error& e) {
        io.Err.Write(Refusal(e.what()).message + "\n");
        return 2;
    }
}
