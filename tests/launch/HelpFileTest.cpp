#include "launch/HelpFile.h"

#include "launch/ExecLauncher.h"
#include "support/XdgSandbox.h"

#include <QtTest>

class HelpFileTest : public QObject {
    Q_OBJECT

private slots:
    void looksBesideTheProgramThenInShare_data();
    void looksBesideTheProgramThenInShare();
    void findsTheRunningProgramsPage();
    void opensThePageOfTheWindowsLanguage_data();
    void opensThePageOfTheWindowsLanguage();
    void helpOpensAtItsTopic();
};

namespace {

bool MakeFiles(const QString& root, const QStringList& files) {
    for (const QString& name : files) {
        const QString path = root + QLatin1Char('/') + name;
        QFile file(path);
        if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !file.open(QIODevice::WriteOnly)) {
            return false;
        }
    }
    return true;
}

} // namespace

void HelpFileTest::looksBesideTheProgramThenInShare_data() {
    QTest::addColumn<QStringList>("pages");
    QTest::addColumn<QString>("expected");

    QTest::newRow("beside the program") << QStringList{"bin/tintrel.html"} << "bin/tintrel.html";
    QTest::newRow("installed share folder")
        << QStringList{"share/tintrel/tintrel.html"} << "share/tintrel/tintrel.html";
    QTest::newRow("beside the program wins")
        << QStringList{"share/tintrel/tintrel.html", "bin/tintrel.html"} << "bin/tintrel.html";
    QTest::newRow("no page") << QStringList{} << "";
    QTest::newRow("a folder of that name is no page") << QStringList{"bin/tintrel.html/"} << "";
}

void HelpFileTest::looksBesideTheProgramThenInShare() {
    QFETCH(QStringList, pages);
    QFETCH(QString, expected);
    QTemporaryDir root;
    QVERIFY(root.isValid());
    QDir(root.path()).mkpath(QStringLiteral("bin"));
    for (const QString& page : pages) {
        const QString path = root.filePath(page);
        if (page.endsWith(QLatin1Char('/'))) {
            QVERIFY(QDir().mkpath(path));
            continue;
        }
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QCOMPARE(HelpFilePath(root.filePath(QStringLiteral("bin"))),
             expected.isEmpty() ? QString() : root.filePath(expected));
}

void HelpFileTest::findsTheRunningProgramsPage() {
    // The build puts the program's help page beside this test, as it does beside tintrel.
    const QString page = QCoreApplication::applicationDirPath() + QStringLiteral("/tintrel.html");
    QCOMPARE(HelpFilePath(), page);
    QFile file(page);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("id=\"HID00000001\""));
}

void HelpFileTest::opensThePageOfTheWindowsLanguage_data() {
    QTest::addColumn<QStringList>("pages");
    QTest::addColumn<bool>("english");
    QTest::addColumn<QString>("expected");

    const QStringList both{"bin/tintrel.html", "bin/tintrel.en.html"};
    QTest::newRow("English") << both << true << "bin/tintrel.en.html";
    QTest::newRow("Japanese") << both << false << "bin/tintrel.html";
    QTest::newRow("installed English page")
        << QStringList{"share/tintrel/tintrel.html", "share/tintrel/tintrel.en.html"} << true
        << "share/tintrel/tintrel.en.html";
    QTest::newRow("the language's page before the other one beside the program")
        << QStringList{"bin/tintrel.html", "share/tintrel/tintrel.en.html"} << true
        << "share/tintrel/tintrel.en.html";
    QTest::newRow("English falls back to the Japanese page")
        << QStringList{"share/tintrel/tintrel.html"} << true << "share/tintrel/tintrel.html";
    QTest::newRow("Japanese never takes the English page")
        << QStringList{"bin/tintrel.en.html"} << false << "";
}

void HelpFileTest::opensThePageOfTheWindowsLanguage() {
    QFETCH(QStringList, pages);
    QFETCH(bool, english);
    QFETCH(QString, expected);
    QTemporaryDir root;
    QVERIFY(root.isValid());
    QVERIFY(QDir(root.path()).mkpath(QStringLiteral("bin")));
    QVERIFY(MakeFiles(root.path(), pages));
    QCOMPARE(HelpFilePath(root.filePath(QStringLiteral("bin")),
                          english ? TUiLanguage::English : TUiLanguage::Japanese),
             expected.isEmpty() ? QString() : root.filePath(expected));
}

void HelpFileTest::helpOpensAtItsTopic() {
    // F1 asks the launcher for the topic; a browser (here a script that records its arguments)
    // receives the page's URL with the topic as its anchor.
    if (!QFileInfo(QStringLiteral("/usr/share/mime/packages")).isDir()) {
        QSKIP("the shared MIME database is not installed");
    }
    QTemporaryDir systemData;
    QVERIFY(QFile::link(QStringLiteral("/usr/share/mime"), systemData.filePath(QStringLiteral("mime"))));
    TXdgSandbox sandbox(systemData.path());
    const QByteArray record = QFile::encodeName(sandbox.Root() + QStringLiteral("/record"));
    const QString browser = sandbox.Write(QStringLiteral("bin/browser"),
                                          "#!/bin/sh\nprintf '%s' \"$1\" > '" + record + ".part' && mv '" +
                                              record + ".part' '" + record + "'\n",
                                          true);
    sandbox.WriteApp(sandbox.SystemApps(), QStringLiteral("browser.desktop"),
                     QFile::encodeName(browser) + " %u");
    sandbox.Write(QStringLiteral("config/mimeapps.list"),
                  "[Default Applications]\ntext/html=browser.desktop\n");

    TExecLauncher launcher(nullptr);
    QVERIFY(launcher.ShowHelpTopic(QStringLiteral("HID00000001")));
    QFile recorded(QString::fromLocal8Bit(record));
    QTRY_VERIFY_WITH_TIMEOUT(recorded.exists(), 20000);
    QVERIFY(recorded.open(QIODevice::ReadOnly));
    const QUrl url(QString::fromUtf8(recorded.readAll()), QUrl::StrictMode);
    QCOMPARE(url.toLocalFile(), HelpFilePath(SystemUiLanguage()));
    QCOMPARE(url.fragment(), QStringLiteral("HID00000001"));
}

QTEST_GUILESS_MAIN(HelpFileTest)
#include "HelpFileTest.moc"
