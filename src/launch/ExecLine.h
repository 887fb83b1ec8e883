#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The Exec line of a desktop entry, turned into the argument list of a program. No shell is ever
// involved: every word becomes one argument exactly as written, whatever signs it holds.

// Splits an Exec value (its key-file escapes already undone) into words. Words are separated by
// spaces or tabs. Inside double quotes a backslash escapes ", `, $ and \; a backslash before any
// other character stays. Single quotes and a backslash outside quotes are accepted as a shell would
// take them, since many desktop entries use them. nullopt when a quote is left open or the line
// ends in a lone backslash.
std::optional<QStringList> SplitExecLine(const QString& exec);

// Whether a field code (other than %%) stands in a word that is quoted or escaped, as in
// `sh -c "viewer %f"`. The standard leaves the result undefined, and a program that hands such a
// word to a shell would run whatever a file name holds ("$(...)", backquotes), so such a line
// is not used. False for a line that does not split.
bool QuotesAFieldCode(const QString& exec);

// Whether an Exec line is not to be used: it does not split, has no words, holds a reserved
// character ($ > < | ; & ` and the others the desktop-entry standard lists) outside quotes,
// quotes a field code (QuotesAFieldCode), or gives a field code as the command line of a shell's
// -c, whatever options stand around it ("sh -c %f", "sh -e -c %f", "bash --norc -c %f",
// "env sh -c -- %f"). A program that hands the line, or the file name, to a shell would run what
// a file name holds. The file as a parameter after the command line ("sh -c 'cat "$1"' sh %f")
// is fine.
bool IsUnusableExecLine(const QString& exec);

// What the field codes of an Exec line stand for.
struct TExecFieldValues {
    QString File;        // the file to open, for %f %F, and for %u %U when Url is empty
    QString Url;         // the file as a URL (which can carry an anchor), for %u %U
    QString Icon;        // the entry's Icon key, for %i
    QString Name;        // the entry's translated Name, for %c
    QString DesktopFile; // the path of the .desktop file, for %k
};

// Replaces the field codes in split Exec words. The first of %f %F %u %U receives the file (as a
// local path, or for %u %U as the URL when there is one); a later one, having no second file to take, expands
// to nothing. %i gives the two words "--icon" and the icon when the entry has one; %c the name; %k the
// desktop file; %% a percent sign; the deprecated codes and unknown ones expand to nothing. A word that
// consisted of a code expanding to nothing is dropped rather than passed as an empty argument. When the words
// hold no file code at all, the file is appended as the last argument.
QStringList ExpandFieldCodes(const QStringList& words, const TExecFieldValues& values);
