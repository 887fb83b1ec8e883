#include "engine/HtmlPage.h"

#include "engine/OrivUtil.h"
#include "engine/TagVocabulary.h"
#include "engine/TextLanguage.h"

#include <string>

TColor PageBackground(bool table, TColor background) {
    return table ? clBtnFace : background;
}

namespace {

// The head both sample pages share; `meta` goes before the title.
void AppendHead(std::string& page, const TTagVocabulary& tg, std::string_view meta) {
    page += tg.OpenTag("_Head");
    page += meta;
    page += tg.OpenTag("_Title");
    page += "Tintrel Sample";
    page += tg.CloseTag("_Title");
    page += tg.CloseTag("_Head");
}

// The body in the page's background and the end of the page; `background` is the body's
// attribute up to the colour's digits (`bgcolor="#` on the font kind's page).
void AppendBody(std::string& page, const TTagVocabulary& tg, std::string_view background,
                TColor pageBackground, const THtmlText& html) {
    page += "\r\n<";
    page += tg.TagWord("_Body");
    page += ' ';
    page += background;
    page += SplitColor(pageBackground).Hex;
    page += "\">\r\n";
    page += html.Written();
    page += tg.CloseTag("_Body");
    page += tg.CloseTag("_Html");
    page += "\r\n";
}

} // namespace

THtmlText SamplePage(const THtmlText& html, const TTagVocabulary& tg, TColor pageBackground,
                     std::string_view /*language*/) {
    std::string page;
    page.reserve(html.Written().size() + 128);
    page += tg.OpenTag("_Html");
    AppendHead(page, tg, {});
    AppendBody(page, tg, tg.TagWord("_Bgcolor") + "=\"#", pageBackground, html);
    return THtmlText(std::move(page));
}

THtmlText Html5SamplePage(const THtmlText& html, const TTagVocabulary& tg, TColor pageBackground,
                          std::string_view language) {
    const bool upper = tg.UpperCase();
    const auto word = [upper](std::string_view lower) { return WordInCase(lower, upper); };
    std::string page;
    page.reserve(html.Written().size() + 256);
    page += "<!DOCTYPE html>\r\n<";
    page += tg.TagWord("_Html");
    page += ' ';
    page += word("lang");
    page += "=\"";
    // Only a well-formed tag goes into the attribute; anything else stays the page's first one.
    page += IsLanguageTag(language) ? language : std::string_view("ja");
    page += "\">\r\n";
    AppendHead(page, tg, '<' + word("meta") + ' ' + word("charset") + "=\"utf-8\">");
    AppendBody(page, tg, word("style") + "=\"background-color:#", pageBackground, html);
    return THtmlText(std::move(page), TTextEncoding::Utf8);
}
