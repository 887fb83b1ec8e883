#include "settings/launch/HelpFile.h"

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
    // The build puts the program's help page beside this test, as it does beside tintrel.
    const QString page = QCoreApplication::applicationDirPath() + QStringLiteral("/tintrel.html");
    QCOMPARE(HelpFilePath(), page);
    QFile file(page);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("id=\"HID00000001\""));
}

QTEST_GUILESS_MAIN(HelpFileTest)
#include "HelpFileTest.moc"
