#include "launch/ExecUtil.h"
#include "support/XdgSandbox.h"

#include <QtTest>

#include <memory>
#include <unistd.h>

// LaunchFile against a temporary desktop: a fake application whose program, a small shell script,
// records the working folder and the arguments it received.
class LaunchFileTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void passesTheFileAsOneArgument_data();
    void passesTheFileAsOneArgument();
    void followsTheApplicationsExecLine_data();
    void followsTheApplicationsExecLine();
    void usesTheFirstInstalledApplication();
    void fallsBackToTheParentTypeAndTheCache();
    void startsExecutablesDirectlyWithTheirParameters();
    void opensAPageWithAnExecuteBitInItsApplication();
    void startsNothingWithoutAUsableApplication_data();
    void startsNothingWithoutAUsableApplication();
    void keepsTheOctetStreamApplicationForUntypedFiles();
    void detachesTheStartedProgram();
    void skipsAnEntryThatQuotesAFieldCode_data();
    void skipsAnEntryThatQuotesAFieldCode();
    void aTerminalEntryGetsTheFileAsOneArgument_data();
    void aTerminalEntryGetsTheFileAsOneArgument();
    void opensAPageAtItsAnchor_data();
    void opensAPageAtItsAnchor();

private:
    // Where the recorder writes, and its script's text.
    QString RecordFile() const { return Sandbox->Root() + QStringLiteral("/record"); }
    QString WriteRecorder(const QString& path) const;
    // Waits for the recorder's output: the working folder, then each argument.
    QStringList Recorded() const;
    QString Folder(const QString& name) const;

    QTemporaryDir SystemData; // holds the MIME database for the whole run
    std::unique_ptr<TXdgSandbox> Sandbox;
    QString Recorder;
};

namespace {

QByteArray MimeApps(const QByteArray& defaults) {
    return "[Default Applications]\ntext/html=" + defaults + "\n";
}

} // namespace

QString LaunchFileTest::WriteRecorder(const QString& path) const {
    const QByteArray out = QFile::encodeName(RecordFile());
    // Written under another name and then renamed, so the test never reads half a record.
    return Sandbox->Write(path,
                          "#!/bin/sh\nprintf '%s\\0' \"$(pwd -P)\" \"$@\" > '" + out + ".part' && mv '" +
                              out + ".part' '" + out + "'\n",
                          true);
}

QStringList LaunchFileTest::Recorded() const {
    QFile file(RecordFile());
    [&] { QTRY_VERIFY_WITH_TIMEOUT(file.exists(), 20000); }();
    if (!file.open(QIODevice::ReadOnly)) {
        return {QStringLiteral("<no record>")};
    }
    QList<QByteArray> parts = file.readAll().split('\0');
    parts.removeLast(); // after the last terminator
    QStringList result;
    for (const QByteArray& part : parts) {
        result.append(QFile::decodeName(part));
    }
    return result;
}

QString LaunchFileTest::Folder(const QString& name) const {
    const QString path = Sandbox->Root() + QLatin1Char('/') + name;
    QDir().mkpath(path);
    return QFileInfo(path).canonicalFilePath();
}

void LaunchFileTest::initTestCase() {
    QVERIFY(SystemData.isValid());
    // The MIME database is the system's; the applications are only those of the sandbox.
    if (!QFileInfo(QStringLiteral("/usr/share/mime/packages")).isDir()) {
        QSKIP("the shared MIME database is not installed");
    }
    QVERIFY(QFile::link(QStringLiteral("/usr/share/mime"), SystemData.path() + QStringLiteral("/mime")));
}

void LaunchFileTest::init() {
    Sandbox = std::make_unique<TXdgSandbox>(SystemData.path());
    QVERIFY(Sandbox->IsValid());
    Recorder = WriteRecorder(QStringLiteral("my bin/recorder"));
}

void LaunchFileTest::cleanup() {
    Sandbox.reset();
}

void LaunchFileTest::passesTheFileAsOneArgument_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("plain") << "Sample.html";
    QTest::newRow("spaces") << "my  page .html";
    QTest::newRow("quotes") << R"(it's "quoted".html)";
    QTest::newRow("semicolon and ampersand") << "a;b&c|d.htm";
    QTest::newRow("command substitution") << "$(touch INJECTED) `touch INJECTED`.html";
    QTest::newRow("backslash and glob") << R"(back\slash *?[x].html)";
    QTest::newRow("percent and dash") << "-100% %f.html";
    QTest::newRow("japanese") << "グラデーション.html";
}

void LaunchFileTest::passesTheFileAsOneArgument() {
    QFETCH(QString, name);
    Sandbox->WriteApp(Sandbox->SystemApps(), QStringLiteral("viewer.desktop"),
                      "\"" + QFile::encodeName(Recorder) + "\" --view %u");
    Sandbox->Write(QStringLiteral("config/mimeapps.list"), MimeApps("viewer.desktop"));
    const QString folder = Folder(QStringLiteral("pages; $(x)"));
    const QString page = Sandbox->Write(folder + QLatin1Char('/') + name, "<HTML></HTML>\r\n");

    QVERIFY(LaunchFile(nullptr, QStringLiteral("open"), page, QString(), folder, 5) > 0);
    QCOMPARE(Recorded(), (QStringList{folder, "--view", page}));
    QVERIFY(!QFileInfo::exists(folder + QStringLiteral("/INJECTED")));
    QVERIFY(!QFileInfo::exists(QStringLiteral("INJECTED")));
}

void LaunchFileTest::followsTheApplicationsExecLine_data() {
    QTest::addColumn<QByteArray>("exec");
    QTest::addColumn<QByteArray>("extraKeys");
    QTest::addColumn<QString>("verb");
    QTest::addColumn<QString>("parameters");
    QTest::addColumn<QString>("workFolder");    // below the sandbox; the page's folder when empty
    QTest::addColumn<QStringList>("arguments"); // FILE stands for the page

    QTest::newRow("no field code appends the file") << QByteArray("recorder -n") << QByteArray() << "open"
                                                    << ""
                                                    << "" << QStringList{"-n", "FILE"};
    QTest::newRow("parameters come after the file")
        << QByteArray("recorder %F --last") << QByteArray() << ""
        << R"(one "two three")"
        << "" << QStringList{"FILE", "--last", "one", "two three"};
    QTest::newRow("field codes of the entry")
        << QByteArray("recorder %i %c \"100%%\" %f") << QByteArray("Icon=tintrel\nName[ja]=ビューア\n")
        << "OPEN"
        << ""
        << "" << QStringList{"--icon", "tintrel", "viewer.desktop", "100%", "FILE"};
    QTest::newRow("Path key sets the working folder")
        << QByteArray("recorder %f") << QByteArray("Path=app home\n") << "open"
        << ""
        << "app home" << QStringList{"FILE"};
    QTest::newRow("a verb runs the desktop action")
        << QByteArray("recorder %f")
        << QByteArray("Actions=edit;\n[Desktop Action edit]\nName=Edit\nExec=recorder --edit %f\n") << "Edit"
        << ""
        << "" << QStringList{"--edit", "FILE"};
}

void LaunchFileTest::followsTheApplicationsExecLine() {
    QFETCH(QByteArray, exec);
    QFETCH(QByteArray, extraKeys);
    QFETCH(QString, verb);
    QFETCH(QString, parameters);
    QFETCH(QString, workFolder);
    QFETCH(QStringList, arguments);
    // The program is named without its folder and found through PATH.
    qputenv("PATH", QFile::encodeName(QFileInfo(Recorder).absolutePath()) + ":/usr/bin:/bin");
    const QString folder = Folder(QStringLiteral("pages"));
    const QString expectedFolder = workFolder.isEmpty() ? folder : Folder(workFolder);
    extraKeys.replace("Path=", "Path=" + QFile::encodeName(Sandbox->Root()) + "/");
    Sandbox->WriteApp(Sandbox->UserApps(), QStringLiteral("viewer.desktop"), exec, extraKeys);
    Sandbox->Write(QStringLiteral("etc-xdg/mimeapps.list"), MimeApps("viewer.desktop"));
    const QString page = Sandbox->Write(folder + QStringLiteral("/Sample.html"), "<HTML></HTML>\r\n");

    QVERIFY(LaunchFile(nullptr, verb, page, parameters, folder, 5) > 0);
    arguments.replaceInStrings(QRegularExpression(QStringLiteral("^FILE$")), page);
    QCOMPARE(Recorded(), QStringList{expectedFolder} + arguments);
}

void LaunchFileTest::usesTheFirstInstalledApplication() {
    // Listed first but gone, hidden, or without its program: the desktop skips such entries.
    Sandbox->WriteApp(Sandbox->SystemApps(), QStringLiteral("hidden.desktop"), "/bin/true %f",
                      "Hidden=true\n");
    Sandbox->WriteApp(Sandbox->SystemApps(), QStringLiteral("lost.desktop"), "/nonexistent/viewer %f");
    Sandbox->WriteApp(Sandbox->SystemApps(), QStringLiteral("tried.desktop"), "/bin/true %f",
                      "TryExec=/nonexistent/viewer\n");
    Sandbox->WriteApp(Sandbox->SystemApps(), QStringLiteral("good.desktop"),
                      "\"" + QFile::encodeName(Recorder) + "\" --good %f");
    Sandbox->Write(QStringLiteral("config/mimeapps.list"),
                   MimeApps("gone.desktop;hidden.desktop;lost.desktop;tried.desktop;good.desktop"));
    const QString folder = Folder(QStringLiteral("pages"));
    const QString page = Sandbox->Write(folder + QStringLiteral("/a.html"), "<HTML></HTML>");

    QVERIFY(LaunchFile(nullptr, QStringLiteral("open"), page, QString(), folder, 5) > 0);
    QCOMPARE(Recorded(), (QStringList{folder, "--good", page}));
}

void LaunchFileTest::fallsBackToTheParentTypeAndTheCache() {
    // A C source has no application of its own; its parent type text/plain has one in the cache.
    Sandbox->WriteApp(Sandbox->UserApps(), QStringLiteral("editor.desktop"),
                      "\"" + QFile::encodeName(Recorder) + "\" --edit %f");
    Sandbox->Write(Sandbox->UserApps() + QStringLiteral("/mimeinfo.cache"),
                   "[MIME Cache]\ntext/plain=editor.desktop;\n");
    const QString folder = Folder(QStringLiteral("src"));
    const QString source = Sandbox->Write(folder + QStringLiteral("/main.c"), "int main() { return 0; }\n");

    QVERIFY(LaunchFile(nullptr, QStringLiteral("open"), QStringLiteral("main.c"), QString(), folder, 5) > 0);
    QCOMPARE(Recorded(), (QStringList{folder, "--edit", source}));
}

void LaunchFileTest::startsExecutablesDirectlyWithTheirParameters() {
    const QString folder = Folder(QStringLiteral("work dir"));
    const QString program = WriteRecorder(QStringLiteral("tools/run me"));

    QVERIFY(LaunchFile(nullptr, QStringLiteral("open"), program, R"(one "two three" 'f;$(x)')", folder, 5) >
            0);
    QCOMPARE(Recorded(), (QStringList{folder, "one", "two three", "f;$(x)"}));
}

void LaunchFileTest::opensAPageWithAnExecuteBitInItsApplication() {
    // Files on FAT or NTFS drives carry execute bits; such a page is still a page.
    Sandbox->WriteApp(Sandbox->SystemApps(), QStringLiteral("viewer.desktop"),
                      "\"" + QFile::encodeName(Recorder) + "\" %f");
    Sandbox->Write(QStringLiteral("config/mimeapps.list"), MimeApps("viewer.desktop"));
    const QString folder = Folder(QStringLiteral("usb"));
    const QString page = Sandbox->Write(folder + QStringLiteral("/Sample.html"), "<HTML></HTML>", true);

    QVERIFY(LaunchFile(nullptr, QStringLiteral("open"), page, QString(), folder, 5) > 0);
    QCOMPARE(Recorded(), (QStringList{folder, page}));
}

void LaunchFileTest::startsNothingWithoutAUsableApplication_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("entry"); // the keys after [Desktop Entry]; none: no entry at all
    QTest::addColumn<QString>("verb");
    QTest::addColumn<QString>("parameters");

    const QByteArray good = "Type=Application\nExec=RECORDER %f\n";
    QTest::newRow("nothing associated with the type") << "data.unknownext" << good << "open"
                                                      << "";
    QTest::newRow("listed entry does not exist") << "a.html" << QByteArray() << "open"
                                                 << "";
    QTest::newRow("open quote in Exec")
        << "a.html" << QByteArray("Type=Application\nExec=\"RECORDER %f\n") << "open"
        << "";
    QTest::newRow("no Exec key") << "a.html" << QByteArray("Type=Application\n") << "open"
                                 << "";
    QTest::newRow("program not found")
        << "a.html" << QByteArray("Type=Application\nExec=no-such-viewer-x %f\n") << "open"
        << "";
    QTest::newRow("not an application")
        << "a.html" << QByteArray("Type=Link\nExec=RECORDER %f\nURL=x\n") << "open"
        << "";
    QTest::newRow("verb the entry lacks") << "a.html" << good << "print"
                                          << "";
    QTest::newRow("open quote in the parameters") << "a.html" << good << "open"
                                                  << "\"unclosed";
}

void LaunchFileTest::startsNothingWithoutAUsableApplication() {
    QFETCH(QString, name);
    QFETCH(QByteArray, entry);
    QFETCH(QString, verb);
    QFETCH(QString, parameters);
    qputenv("PATH", "/usr/bin:/bin");
    if (!entry.isEmpty()) {
        entry.replace("RECORDER", QFile::encodeName(Recorder));
        Sandbox->Write(Sandbox->SystemApps() + QStringLiteral("/viewer.desktop"),
                       "[Desktop Entry]\n" + entry);
    }
    Sandbox->Write(QStringLiteral("config/mimeapps.list"), MimeApps("viewer.desktop"));
    const QString folder = Folder(QStringLiteral("pages"));
    const QString file = Sandbox->Write(folder + QLatin1Char('/') + name, QByteArray("\x01\x02\x00\xFF", 4));

    QCOMPARE(LaunchFile(nullptr, verb, file, parameters, folder, 5), qint64(0));
    QVERIFY(!QFileInfo::exists(RecordFile()));
}

void LaunchFileTest::keepsTheOctetStreamApplicationForUntypedFiles() {
    // Every type descends from the octet stream; its application must not take a picture.
    Sandbox->WriteApp(Sandbox->SystemApps(), QStringLiteral("hex.desktop"),
                      "\"" + QFile::encodeName(Recorder) + "\" --hex %f");
    Sandbox->Write(QStringLiteral("config/mimeapps.list"),
                   "[Default Applications]\napplication/octet-stream=hex.desktop\n");
    const QString folder = Folder(QStringLiteral("files"));
    const QString picture = Sandbox->Write(folder + QStringLiteral("/a.png"), "\x89PNG\r\n\x1a\n");
    const QString data =
        Sandbox->Write(folder + QStringLiteral("/a.unknownext"), QByteArray("\x01\x00\xFF", 3));

    QCOMPARE(LaunchFile(nullptr, QStringLiteral("open"), picture, QString(), folder, 5), qint64(0));
    QVERIFY(LaunchFile(nullptr, QStringLiteral("open"), data, QString(), folder, 5) > 0);
    QCOMPARE(Recorded(), (QStringList{folder, "--hex", data}));
}

void LaunchFileTest::detachesTheStartedProgram() {
    // The program is not our child: it cannot linger as our zombie, and it is not ended with us.
    const QString folder = Folder(QStringLiteral("work"));
    const qint64 pid = LaunchFile(nullptr, QString(), Recorder, QString(), QString(), 5);
    QVERIFY(pid > 0);
    QCOMPARE(Recorded().value(0), QDir::current().canonicalPath());
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (stat.open(QIODevice::ReadOnly)) { // still there: look at its parent
        const QList<QByteArray> fields = stat.readAll().split(')').value(1).split(' ');
        QVERIFY(fields.size() > 2);
        QVERIFY(fields.at(2).toLongLong() != qint64(getpid()));
    }
}

namespace {

// File names that a shell would take apart or run.
void AddHostileNames() {
    QTest::addColumn<QString>("name");
    QTest::newRow("command substitution") << "$(touch INJECTED).html";
    QTest::newRow("backquotes") << "`touch INJECTED`.html";
    QTest::newRow("quotes") << R"(x" ; touch INJECTED ; ".html)";
    QTest::newRow("newline") << "a\ntouch INJECTED\n.html";
    QTest::newRow("carriage return") << "a\rtouch INJECTED.html";
    QTest::newRow("tab") << "a\t;touch INJECTED.html";
}

} // namespace

void LaunchFileTest::skipsAnEntryThatQuotesAFieldCode_data() {
    AddHostileNames();
}

void LaunchFileTest::skipsAnEntryThatQuotesAFieldCode() {
    // Listed first, each of these would hand the file name to a shell inside a quoted word. The
    // desktop entry standard leaves field codes in quoted words undefined: the entry is not used
    // and the next application opens the page.
    QFETCH(QString, name);
    const QByteArray recorder = QFile::encodeName(Recorder);
    const QByteArray quotedRecorder = "'" + recorder + "'";
    const QList<QByteArray> shells{
        "/bin/sh -c \"" + quotedRecorder + " --shell %f\"",
        "/bin/sh -c '" + recorder + " --shell %u'",
        // Escaped blanks, written as "\\ " in the entry's key file.
        "/bin/sh -c " + QByteArray(recorder).replace(" ", "\\\\ ") + "\\\\ --shell\\\\ %f",
        "\"" + recorder + "\" --name=\"%c %f\"",
        // Unquoted, but handed to a shell all the same.
        "/bin/sh -c %f",
        "/bin/sh -e -c -- %f",
        "env -i /bin/bash --norc -o errexit -xc %f",
        "/bin/sh -c " + quotedRecorder + "${IFS}--shell${IFS}%f>>log",
    };
    QByteArray list;
    for (int i = 0; i < shells.size(); ++i) {
        const QString id = QStringLiteral("shell%1.desktop").arg(i);
        Sandbox->WriteApp(Sandbox->SystemApps(), id, shells.at(i));
        list += id.toUtf8() + ";";
    }
    Sandbox->WriteApp(Sandbox->SystemApps(), QStringLiteral("good.desktop"),
                      "\"" + recorder + "\" --good %f");
    Sandbox->Write(QStringLiteral("config/mimeapps.list"), MimeApps(list + "good.desktop"));
    const QString folder = Folder(QStringLiteral("pages"));
    const QString page = Sandbox->Write(folder + QLatin1Char('/') + name, "<HTML></HTML>\r\n");

    QVERIFY(LaunchFile(nullptr, QStringLiteral("open"), page, QString(), folder, 5) > 0);
    QCOMPARE(Recorded(), (QStringList{folder, "--good", page}));
    QVERIFY(!QFileInfo::exists(folder + QStringLiteral("/INJECTED")));
}

void LaunchFileTest::aTerminalEntryGetsTheFileAsOneArgument_data() {
    AddHostileNames();
}

void LaunchFileTest::aTerminalEntryGetsTheFileAsOneArgument() {
    // The terminal (x-terminal-emulator, here the recorder) runs the program after -e with the
    // file as one argument of its own; a terminal entry that quotes a field code is refused too.
    QFETCH(QString, name);
    const QString terminal = WriteRecorder(QStringLiteral("terminal bin/x-terminal-emulator"));
    qputenv("PATH", QFile::encodeName(QFileInfo(terminal).absolutePath()) + ":/usr/bin:/bin");
    const QByteArray recorder = QFile::encodeName(Recorder);
    Sandbox->WriteApp(Sandbox->SystemApps(), QStringLiteral("shell.desktop"),
                      "/bin/sh -c \"'" + recorder + "' --shell %f\"", "Terminal=true\n");
    Sandbox->WriteApp(Sandbox->SystemApps(), QStringLiteral("viewer.desktop"),
                      "\"" + recorder + "\" --view %f", "Terminal=true\n");
    Sandbox->Write(QStringLiteral("config/mimeapps.list"), MimeApps("shell.desktop;viewer.desktop"));
    const QString folder = Folder(QStringLiteral("pages"));
    const QString page = Sandbox->Write(folder + QLatin1Char('/') + name, "<HTML></HTML>\r\n");

    QVERIFY(LaunchFile(nullptr, QStringLiteral("open"), page, QString(), folder, 5) > 0);
    QCOMPARE(Recorded(), (QStringList{folder, "-e", Recorder, "--view", page}));
    QVERIFY(!QFileInfo::exists(folder + QStringLiteral("/INJECTED")));
}

void LaunchFileTest::opensAPageAtItsAnchor_data() {
    QTest::addColumn<QByteArray>("code");
    QTest::addColumn<bool>("takesUrls");
    QTest::newRow("an application taking URLs gets the anchor") << QByteArray("%u") << true;
    QTest::newRow("URL lists too") << QByteArray("%U") << true;
    QTest::newRow("an application taking paths gets the page") << QByteArray("%f") << false;
}

void LaunchFileTest::opensAPageAtItsAnchor() {
    QFETCH(QByteArray, code);
    QFETCH(bool, takesUrls);
    Sandbox->WriteApp(Sandbox->SystemApps(), QStringLiteral("browser.desktop"),
                      "\"" + QFile::encodeName(Recorder) + "\" " + code);
    Sandbox->Write(QStringLiteral("config/mimeapps.list"), MimeApps("browser.desktop"));
    const QString folder = Folder(QStringLiteral("ヘルプ #1 100%"));
    const QString page = Sandbox->Write(folder + QStringLiteral("/tintrel.html"), "<HTML></HTML>\r\n");

    QVERIFY(LaunchFileAtAnchor(nullptr, page, QStringLiteral("HID00000001"), folder) > 0);
    const QStringList recorded = Recorded();
    QCOMPARE(recorded.size(), 2);
    QCOMPARE(recorded.at(0), folder);
    if (!takesUrls) {
        QCOMPARE(recorded.at(1), page);
        return;
    }
    const QUrl url(recorded.at(1), QUrl::StrictMode);
    QVERIFY(url.isValid());
    QCOMPARE(url.scheme(), QStringLiteral("file"));
    QCOMPARE(url.toLocalFile(), page);
    QCOMPARE(url.fragment(), QStringLiteral("HID00000001"));
}

QTEST_GUILESS_MAIN(LaunchFileTest)
#include "LaunchFileTest.moc"
