#include "launch/ExecLine.h"
#include "launch/DesktopKeyFile.h"

#include <QtTest>

#include <optional>

Q_DECLARE_METATYPE(std::optional<QStringList>)

class ExecLineTest : public QObject {
    Q_OBJECT

private slots:
    void splitsByTheQuotingRules_data();
    void splitsByTheQuotingRules();
    void undoesKeyFileEscapesBeforeQuoting_data();
    void undoesKeyFileEscapesBeforeQuoting();
    void refusesWhatAShellWouldRead_data();
    void refusesWhatAShellWouldRead();
    void expandsFieldCodes_data();
    void expandsFieldCodes();
};

namespace {

const std::optional<QStringList> kMalformed = std::nullopt;

std::optional<QStringList> Words(const QStringList& words) {
    return words;
}

} // namespace

void ExecLineTest::splitsByTheQuotingRules_data() {
    QTest::addColumn<QString>("exec");
    QTest::addColumn<std::optional<QStringList>>("expected");

    QTest::newRow("empty line has no words") << "" << Words({});
    QTest::newRow("runs of blanks separate") << "  prog \t-a   %f " << Words({"prog", "-a", "%f"});
    QTest::newRow("double quotes keep spaces")
        << R"("/opt/my app/run" %U)" << Words({"/opt/my app/run", "%U"});
    QTest::newRow("escaped quote inside quotes") << R"(prog "say \"hi\"")" << Words({"prog", R"(say "hi")"});
    QTest::newRow("escaped dollar backtick backslash")
        << R"(prog "\$HOME \`x\` a\\b")" << Words({"prog", R"($HOME `x` a\b)"});
    QTest::newRow("other backslash in quotes stays") << R"(prog "a\nb")" << Words({"prog", R"(a\nb)"});
    QTest::newRow("quoted parts join their word") << R"(pre"fix suf"fix)" << Words({"prefix suffix"});
    QTest::newRow("empty quotes are an empty argument") << R"(prog "" x)" << Words({"prog", "", "x"});
    QTest::newRow("single quotes are literal")
        << R"(sh -c 'echo "$1" \' x)" << Words({"sh", "-c", R"(echo "$1" \)", "x"});
    QTest::newRow("backslash outside quotes escapes") << R"(prog a\ b)" << Words({"prog", "a b"});
    QTest::newRow("shell signs are plain characters")
        << "prog a;b $(rm) `x` |&>" << Words({"prog", "a;b", "$(rm)", "`x`", "|&>"});
    QTest::newRow("open double quote") << R"(prog "abc)" << kMalformed;
    QTest::newRow("escaped closing quote leaves it open") << R"(prog "abc\")" << kMalformed;
    QTest::newRow("open single quote") << "prog 'abc" << kMalformed;
    QTest::newRow("trailing lone backslash") << "prog abc\\" << kMalformed;
}

void ExecLineTest::splitsByTheQuotingRules() {
    QFETCH(QString, exec);
    QFETCH(std::optional<QStringList>, expected);
    QCOMPARE(SplitExecLine(exec), expected);
}

void ExecLineTest::undoesKeyFileEscapesBeforeQuoting_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QStringList>("words");

    // In the file a backslash in a quoted argument takes four backslashes: the key-file rule
    // halves them, the quoting rule halves them again.
    QTest::newRow("four backslashes are one")
        << QByteArray(R"(Exec=prog "a\\\\b")") << QStringList{"prog", R"(a\b)"};
    QTest::newRow("escaped space") << QByteArray(R"(Exec=prog a\sb)") << QStringList{"prog", "a", "b"};
    QTest::newRow("escaped quote survives the key-file rule")
        << QByteArray(R"(Exec=prog "x\"y")") << QStringList{"prog", R"(x"y)"};
    QTest::newRow("blanks around the equals sign")
        << QByteArray("Exec =  prog  %f  ") << QStringList{"prog", "%f"};
}

void ExecLineTest::undoesKeyFileEscapesBeforeQuoting() {
    QFETCH(QByteArray, line);
    QFETCH(QStringList, words);
    const auto file = TDesktopKeyFile::Parse("# comment\r\n[Desktop Entry]\r\n" + line + "\r\n");
    const auto exec = file.String(QStringLiteral("Desktop Entry"), QStringLiteral("Exec"));
    QVERIFY(exec);
    QCOMPARE(SplitExecLine(*exec), std::optional<QStringList>(words));
}

void ExecLineTest::refusesWhatAShellWouldRead_data() {
    QTest::addColumn<QString>("exec");
    QTest::addColumn<bool>("unusable");
    for (const QChar c : QStringView(u"><~|&;$*?#()`")) {
        QTest::addRow("bare %c", c.toLatin1()) << QStringLiteral("prog a%1b %f").arg(c) << true;
        QTest::addRow("quoted %c", c.toLatin1())
            << QStringLiteral("prog 'a%1b' \"%2\" %f").arg(c, c) << false;
        QTest::addRow("escaped %c", c.toLatin1()) << QStringLiteral("prog a\\%1b %f").arg(c) << false;
    }
    QTest::newRow("file as a shell's command") << "sh -c %f" << true;
    QTest::newRow("file in a shell's command") << "sh -c echo${IFS}x${IFS}%f>>log" << true;
    QTest::newRow("shell by path with options") << "/usr/bin/env /bin/bash -ec x%u" << true;
    // A shell reads its command line from the first word after -c that is neither an option
    // nor an option's value, whatever options stand around it.
    QTest::newRow("option before -c") << "sh -e -c %f" << true;
    QTest::newRow("sign turning an option off") << "sh +e -c %f" << true;
    QTest::newRow("end of options after -c") << "sh -c -- %f" << true;
    QTest::newRow("lone dash after -c") << "dash -c - %f" << true;
    QTest::newRow("long option first") << "bash --norc -c %f" << true;
    QTest::newRow("option with a value first") << "sh -o errexit -c %f" << true;
    QTest::newRow("option with a value after -c") << "sh -c -O extglob %f" << true;
    QTest::newRow("long option with a value after -c") << "bash -c --rcfile rc %f" << true;
    QTest::newRow("combined short options") << "zsh -xc %f" << true;
    QTest::newRow("field code glued to -c") << "ksh -c%f" << true;
    QTest::newRow("fish's long command option") << "fish --command %f" << true;
    QTest::newRow("shell by absolute path") << "/usr/bin/mksh -e -c %u" << true;
    QTest::newRow("env before the shell") << "env sh -c %f" << true;
    QTest::newRow("env with its own option") << "env -i sh -e -c %f" << true;
    QTest::newRow("env setting a variable") << "env VAR=1 bash -c %f" << true;
    QTest::newRow("env by path") << "/usr/bin/env sh -c -- %F" << true;
    QTest::newRow("file as the shell's argument") << "sh -c 'prog \"$1\"' sh %f" << false;
    QTest::newRow("file as the argument after options")
        << "bash --norc -e -o pipefail -c 'prog \"$1\"' bash %f" << false;
    QTest::newRow("file as $0") << "sh -ec 'prog \"$0\"' %f" << false;
    QTest::newRow("file as a script with -c after it") << "sh %f -c x" << false;
    QTest::newRow("escaped percent as the command line") << "sh -c %%f" << false;
    QTest::newRow("file as a script for a shell") << "bash %f" << false;
    QTest::newRow("plain") << "prog --new %U" << false;
    QTest::newRow("empty") << "" << true;
}

void ExecLineTest::refusesWhatAShellWouldRead() {
    QFETCH(QString, exec);
    QFETCH(bool, unusable);
    QCOMPARE(IsUnusableExecLine(exec), unusable);
}

void ExecLineTest::expandsFieldCodes_data() {
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<QString>("icon");
    QTest::addColumn<QStringList>("expected");

    const QString file = QStringLiteral("/tmp/a b;$(x).html");
    QTest::newRow("file code is one argument")
        << QStringList{"prog", "%f"} << "" << QStringList{"prog", file};
    QTest::newRow("url codes take the path") << QStringList{"prog", "%U"} << "" << QStringList{"prog", file};
    QTest::newRow("file inside a word")
        << QStringList{"prog", "--open=%u"} << "" << QStringList{"prog", "--open=" + file};
    QTest::newRow("only the first file code gets the file")
        << QStringList{"prog", "%f", "%F", "x%u"} << "" << QStringList{"prog", file, "x"};
    QTest::newRow("no file code appends the file")
        << QStringList{"prog", "-n"} << "" << QStringList{"prog", "-n", file};
    QTest::newRow("double percent is a percent sign")
        << QStringList{"prog", "100%%", "%%f", "%f"} << "" << QStringList{"prog", "100%", "%f", file};
    QTest::newRow("escaped file code is no file code")
        << QStringList{"prog", "%%f"} << "" << QStringList{"prog", "%f", file};
    QTest::newRow("icon code gives two words")
        << QStringList{"prog", "%i", "%f"} << "tintrel" << QStringList{"prog", "--icon", "tintrel", file};
    QTest::newRow("icon code without icon vanishes")
        << QStringList{"prog", "%i", "%f"} << "" << QStringList{"prog", file};
    QTest::newRow("name and desktop file") << QStringList{"prog", "%c", "%k", "%f"} << ""
                                           << QStringList{"prog", "Viewer", "/apps/v.desktop", file};
    QTest::newRow("deprecated and unknown codes vanish")
        << QStringList{"prog", "%d", "%m", "%z", "-x%v", "%f"} << "" << QStringList{"prog", "-x", file};
    QTest::newRow("trailing percent stays")
        << QStringList{"prog", "50%", "%f"} << "" << QStringList{"prog", "50%", file};
}

void ExecLineTest::expandsFieldCodes() {
    QFETCH(QStringList, words);
    QFETCH(QString, icon);
    QFETCH(QStringList, expected);
    TExecFieldValues values;
    values.File = QStringLiteral("/tmp/a b;$(x).html");
    values.Icon = icon;
    values.Name = QStringLiteral("Viewer");
    values.DesktopFile = QStringLiteral("/apps/v.desktop");
    QCOMPARE(ExpandFieldCodes(words, values), expected);
}

QTEST_GUILESS_MAIN(ExecLineTest)
#include "ExecLineTest.moc"
