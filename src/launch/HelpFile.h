#pragma once

#include "platform/UiLanguage.h"

#include <QString>

// The help pages: tintrel.html in Japanese and tintrel.en.html in English; the top topic of
// each carries the anchor "HID00000001".

// The page's file name for a language.
QString HelpFileName(TUiLanguage language);

// Where the program finds its help page: beside the program (a program run from its build
// folder or unpacked anywhere), else in ../share/tintrel/ beside the program's folder (an
// installed program, bin/tintrel with share/tintrel/tintrel.html). The page in `language` is
// taken where there is one, else the Japanese page. Empty when there is none.
QString HelpFilePath(const QString& programFolder, TUiLanguage language = TUiLanguage::Japanese);

// The same for this running program, whose folder is that of /proc/self/exe.
QString HelpFilePath(TUiLanguage language = TUiLanguage::Japanese);
