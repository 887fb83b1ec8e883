#include "engine/HtmlPage.h"

#include "engine/OrivUtil.h"
#include "engine/TagVocabulary.h"
#include "engine/TextLanguage.h"

#include <string>

TColor PageBackground(bool table, TColor background) {
    return table ? clBtnFace : background;
}

THtmlText SamplePage(const THtmlText& html, const TTagVocabulary& tg, TColor pageBackground,
                     std::string_view /*language*/) {
    const std::string hex = SplitColor(pageBackground).Hex;
    std::string page;
    page.reserve(html.Written().size() + 128);
    page += tg.OpenTag("_Html");
    page += tg.OpenTag("_Head");
    page += tg.OpenTag("_Title");
    page += "Tintrel Sample";
    page += tg.CloseTag("_Title");
    page += tg.CloseTag("_Head");
    page += "\r\n<";
    page += tg.TagWord("_Body");
    page += ' ';
    page += tg.TagWord("_Bgcolor");
    page += "=\"#";
    page += hex;
    page += "\">\r\n";
    page += html.Written();
    page += tg.CloseTag("_Body");
    page += tg.CloseTag("_Html");
    page += "\r\n";
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
    page += tg.OpenTag("_Head");
    page += '<';
    page += word("meta");
    page += ' ';
    page += word("charset");
    page += "=\"utf-8\">";
    page += tg.OpenTag("_Title");
    page += "Tintrel Sample";
    page += tg.CloseTag("_Title");
    page += tg.CloseTag("_Head");
    page += "\r\n<";
    page += tg.TagWord("_Body");
    page += ' ';
    page += word("style");
    page += "=\"background-color:#";
    page += SplitColor(pageBackground).Hex;
    page += "\">\r\n";
    page += html.Written();
    page += tg.CloseTag("_Body");
    page += tg.CloseTag("_Html");
    page += "\r\n";
    return THtmlText(std::move(page), TTextEncoding::Utf8);
}
