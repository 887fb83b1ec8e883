#pragma once

#include "engine/Color.h"
#include "engine/HtmlText.h"

#include <string_view>

class TTagVocabulary;

// The colour of the saved page's body: the window's own colour (button face) in table mode,
// where the table cell carries the background; else the background colour.
TColor PageBackground(bool table, TColor background);

// The sample page around the HTML text: the html, head and title line, the body line with the
// page background (a system colour is written as its current RGB), the HTML text, and the line
// that closes body and html. Words in the vocabulary's current case.
// The design's page declares no language.
THtmlText SamplePage(const THtmlText& html, const TTagVocabulary& tg, TColor pageBackground,
                     std::string_view language = {});

// The sample page of the css kind: a complete HTML5 document in UTF-8 (doctype, language,
// character set and title) around the HTML text, the body in the page background. Element and
// attribute names in the vocabulary's current case; `language` is the html element's lang.
THtmlText Html5SamplePage(const THtmlText& html, const TTagVocabulary& tg, TColor pageBackground,
                          std::string_view language = "ja");
