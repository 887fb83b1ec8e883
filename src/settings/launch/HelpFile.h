#pragma once

#include <QString>

// The help page, tintrel.html, whose top topic carries the anchor "HID00000001".

// Where the program finds its help page: beside the program (a program run from its build
// folder or unpacked anywhere), else in ../share/tintrel/ beside the program's folder (an
// installed program, bin/tintrel with share/tintrel/tintrel.html). Empty when neither exists.
QString HelpFilePath(const QString& programFolder);

// The same for this running program, whose folder is that of /proc/self/exe.
QString HelpFilePath();
