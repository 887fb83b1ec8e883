#include "launch/ExecLine.h"

namespace {

bool IsBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n');
}

bool EscapableInDoubleQuotes(QChar c) {
    return c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\');
}

bool IsFileCode(QChar code) {
    return code == QLatin1Char('f') || code == QLatin1Char('F') || code == QLatin1Char('u') ||
           code == QLatin1Char('U');
}

// Expands the codes inside one word. `fileTaken` tells whether an earlier code consumed the file.
QString ExpandWithinWord(const QString& word, const TExecFieldValues& values, bool& fileTaken) {
    QString result;
    for (qsizetype i = 0; i < word.size(); ++i) {
        if (word.at(i) != QLatin1Char('%') || i + 1 == word.size()) {
            result += word.at(i);
            continue;
        }
        const QChar code = word.at(++i);
        if (code == QLatin1Char('%')) {
            result += QLatin1Char('%');
        } else if (IsFileCode(code)) {
            if (!fileTaken) {
                const bool takesUrl = code == QLatin1Char('u') || code == QLatin1Char('U');
                result += takesUrl && !values.Url.isEmpty() ? values.Url : values.File;
                fileTaken = true;
            }
        } else if (code == QLatin1Char('c')) {
            result += values.Name;
        } else if (code == QLatin1Char('k')) {
            result += values.DesktopFile;
        }
        // %i inside a word, %d %D %n %N %v %m and unknown codes: nothing.
    }
    return result;
}

bool HasFileCode(const QStringList& words) {
    for (const QString& word : words) {
        for (qsizetype i = 0; i + 1 < word.size(); ++i) {
            if (word.at(i) == QLatin1Char('%')) {
                if (IsFileCode(word.at(i + 1))) {
                    return true;
                }
                ++i; // skip the code, so "%%f" is a percent sign and an f
            }
        }
    }
    return false;
}

} // namespace

namespace {

// The words of an Exec line and, for each, whether any of it was quoted or escaped.
struct TSplitLine {
    QStringList Words;
    QList<bool> Quoted;
    // A reserved character stood outside quotes (and unescaped).
    bool BareReserved = false;
};

// The characters the desktop-entry standard reserves, beyond blanks and the quoting ones: a
// shell given the line would take them as its own.
bool IsReservedOutsideQuotes(QChar c) {
    return QStringView(u"><~|&;$*?#()`").contains(c);
}

bool HoldsFieldCode(const QString& word) {
    for (qsizetype at = 0; at + 1 < word.size(); ++at) {
        if (word.at(at) == QLatin1Char('%')) {
            if (word.at(at + 1) != QLatin1Char('%')) {
                return true;
            }
            ++at; // "%%" is a percent sign
        }
    }
    return false;
}

// The shells whose -c takes a command line, by the base name of the word that starts them.
bool IsShell(const QString& word) {
    static const QStringList shells{
        QStringLiteral("sh"),   QStringLiteral("bash"),   QStringLiteral("rbash"), QStringLiteral("dash"),
        QStringLiteral("zsh"),  QStringLiteral("ksh"),    QStringLiteral("ksh93"), QStringLiteral("mksh"),
        QStringLiteral("lksh"), QStringLiteral("pdksh"),  QStringLiteral("oksh"),  QStringLiteral("yash"),
        QStringLiteral("posh"), QStringLiteral("ash"),    QStringLiteral("csh"),   QStringLiteral("tcsh"),
        QStringLiteral("fish"), QStringLiteral("busybox")};
    return shells.contains(word.section(QLatin1Char('/'), -1));
}

// A word a shell takes as an option when it stands before the command line: "-e", "+e", "-ec",
// "--norc", "--rcfile=x". "-" and "--" end the options and are not options themselves.
bool IsShellOption(const QString& word) {
    return word.size() >= 2 && (word.startsWith(QLatin1Char('-')) || word.startsWith(QLatin1Char('+'))) &&
           word != QStringLiteral("--");
}

bool IsLongOption(const QString& word) {
    return word.startsWith(QStringLiteral("--"));
}

// Whether the option makes the shell read its command line from an argument: short options that
// include c, with either sign ("-c", "-ec", "-xc", "+c"), and fish's "--command".
bool IsCommandOption(const QString& word) {
    if (IsLongOption(word)) {
        return word.section(QLatin1Char('='), 0, 0) == QStringLiteral("--command");
    }
    return word.contains(QLatin1Char('c'));
}

// Whether the word after the option may be the option's value rather than the command line:
// "-o errexit", "+O extglob", "--rcfile file". A long option is assumed to take one unless it
// carries its value after "=", so an option we do not know cannot hide the command line behind it.
bool MayTakeValue(const QString& option) {
    if (IsLongOption(option)) {
        return !option.contains(QLatin1Char('='));
    }
    return option.contains(QLatin1Char('o')) || option.contains(QLatin1Char('O'));
}

// Whether the shell started by words[shell] is given a command line from which a field code
// would be read as commands. Every word from the shell's options to its command line counts, the
// command line being the first word after a -c that is neither an option nor possibly an
// option's value; the words after it are the command line's parameters ($0, $1...) and safe.
bool ShellReadsAFieldCode(const QStringList& words, qsizetype shell) {
    bool readsCommandLine = false;
    bool fieldCode = false;
    for (qsizetype at = shell + 1; at < words.size(); ++at) {
        const QString& word = words.at(at);
        fieldCode = fieldCode || HoldsFieldCode(word);
        if (IsShellOption(word)) {
            readsCommandLine = readsCommandLine || IsCommandOption(word);
            continue;
        }
        if (word == QStringLiteral("-") || word == QStringLiteral("--")) {
            if (at + 1 < words.size()) {
                fieldCode = fieldCode || HoldsFieldCode(words.at(at + 1));
            }
            break;
        }
        const bool mayBeValue = IsShellOption(words.at(at - 1)) && MayTakeValue(words.at(at - 1));
        if (!mayBeValue) {
            break; // the command line, or with no -c the script the shell runs
        }
    }
    return readsCommandLine && fieldCode;
}

std::optional<TSplitLine> Split(const QString& exec) {
    TSplitLine line;
    QStringList& words = line.Words;
    QString word;
    bool inWord = false; // also true for an empty quoted word such as ""
    bool quoted = false;
    const auto endWord = [&] {
        words.append(word);
        line.Quoted.append(quoted);
        word.clear();
        inWord = false;
        quoted = false;
    };
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec.at(i);
        if (IsBlank(c)) {
            if (inWord) {
                endWord();
            }
        } else if (c == QLatin1Char('"')) {
            inWord = true;
            quoted = true;
            for (++i;; ++i) {
                if (i >= exec.size()) {
                    return std::nullopt;
                }
                const QChar q = exec.at(i);
                if (q == QLatin1Char('"')) {
                    break;
                }
                if (q == QLatin1Char('\\') && i + 1 < exec.size() &&
                    EscapableInDoubleQuotes(exec.at(i + 1))) {
                    word += exec.at(++i);
                } else {
                    word += q;
                }
            }
        } else if (c == QLatin1Char('\'')) {
            inWord = true;
            quoted = true;
            const qsizetype close = exec.indexOf(QLatin1Char('\''), i + 1);
            if (close < 0) {
                return std::nullopt;
            }
            word += exec.mid(i + 1, close - i - 1);
            i = close;
        } else if (c == QLatin1Char('\\')) {
            if (i + 1 >= exec.size()) {
                return std::nullopt;
            }
            inWord = true;
            quoted = true;
            word += exec.at(++i);
        } else {
            inWord = true;
            line.BareReserved = line.BareReserved || IsReservedOutsideQuotes(c);
            word += c;
        }
    }
    if (inWord) {
        endWord();
    }
    return line;
}

} // namespace

std::optional<QStringList> SplitExecLine(const QString& exec) {
    const std::optional<TSplitLine> line = Split(exec);
    return line ? std::optional<QStringList>(line->Words) : std::nullopt;
}

bool QuotesAFieldCode(const QString& exec) {
    const std::optional<TSplitLine> line = Split(exec);
    if (!line) {
        return false;
    }
    for (qsizetype i = 0; i < line->Words.size(); ++i) {
        if (line->Quoted.at(i) && HoldsFieldCode(line->Words.at(i))) {
            return true;
        }
    }
    return false;
}

bool IsUnusableExecLine(const QString& exec) {
    const std::optional<TSplitLine> line = Split(exec);
    if (!line || line->Words.isEmpty() || line->BareReserved || QuotesAFieldCode(exec)) {
        return true;
    }
    // Every word is looked at, so a shell behind env, busybox or a terminal's -e is found too.
    const QStringList& words = line->Words;
    for (qsizetype i = 0; i < words.size(); ++i) {
        if (IsShell(words.at(i)) && ShellReadsAFieldCode(words, i)) {
            return true;
        }
    }
    return false;
}

QStringList ExpandFieldCodes(const QStringList& words, const TExecFieldValues& values) {
    QStringList arguments;
    bool fileTaken = false;
    for (const QString& word : words) {
        if (word == QStringLiteral("%i")) {
            if (!values.Icon.isEmpty()) {
                arguments << QStringLiteral("--icon") << values.Icon;
            }
            continue;
        }
        const bool wholeWordIsCode =
            word.size() == 2 && word.at(0) == QLatin1Char('%') && word.at(1) != QLatin1Char('%');
        const QString expanded = ExpandWithinWord(word, values, fileTaken);
        if (wholeWordIsCode && expanded.isEmpty()) {
            continue;
        }
        arguments.append(expanded);
    }
    if (!HasFileCode(words)) {
        arguments.append(values.File);
    }
    return arguments;
}
