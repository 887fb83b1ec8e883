#include "settings/HelpFile.h"

#include <QtTest>

class HelpFileTest : public QObject {
    Q_OBJECT

private slots:
    void looksBesideTheProgramThenInShare_data();
    void looksBesideTheProgramThenInShare();
    void findsTheRunningProgramsPage();
};

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
    // The test program's own folder decides; a page put beside it is found.
    const QString folder =
        QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath()).absolutePath();
    const QString page = folder + QStringLiteral("/tintrel.html");
    if (QFileInfo::exists(page)) {
        QSKIP("a help page already stands beside the test program");
    }
    QFile file(page);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    const QString found = HelpFilePath();
    QFile::remove(page);
    QCOMPARE(found, page);
}

QTEST_GUILESS_MAIN(HelpFileTest)
#include "HelpFileTest.moc"
