// The desktop program as users run it, on a virtual X screen: a terminate signal ends it within
// moments whatever is open, and it saves on the way out.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <unistd.h>

class ProgramEndTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void aTerminateSignalEndsTheProgramWithAWarningOpen();

private:
    bool WindowShown(const QString& title) const;

    QProcess xvfb_;
    QString display_;
};

void ProgramEndTest::initTestCase() {
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty()) {
        QSKIP("Xvfb is not installed");
    }
    // The server picks a free display and writes its number to standard output.
    xvfb_.start(QStringLiteral("Xvfb"),
                {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                 QStringLiteral("0"), QStringLiteral("1280x800x24"), QStringLiteral("-nolisten"),
                 QStringLiteral("tcp")});
    QVERIFY(xvfb_.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(xvfb_.canReadLine(), 30000);
    display_ = QLatin1Char(':') + QString::fromLatin1(xvfb_.readLine().trimmed());
}

void ProgramEndTest::cleanupTestCase() {
    if (xvfb_.state() != QProcess::NotRunning) {
        xvfb_.terminate();
        xvfb_.waitForFinished();
    }
}

// Whether a window with exactly this title is on the screen (mapped, not merely created).
bool ProgramEndTest::WindowShown(const QString& title) const {
    const auto xwininfo = [this](const QStringList& arguments) {
        QProcess query;
        query.start(QStringLiteral("xwininfo"),
                    QStringList{QStringLiteral("-display"), display_} + arguments);
        return query.waitForFinished() ? QString::fromUtf8(query.readAllStandardOutput()) : QString();
    };
    const QString tree = xwininfo({QStringLiteral("-root"), QStringLiteral("-tree")});
    const QRegularExpression named(QStringLiteral("(0x[0-9a-f]+) \"") + QRegularExpression::escape(title) +
                                   QStringLiteral("\": \\("));
    for (const QRegularExpressionMatch& window : named.globalMatch(tree)) {
        if (xwininfo({QStringLiteral("-id"), window.captured(1)}).contains(QStringLiteral("IsViewable"))) {
            return true;
        }
    }
    return false;
}

void ProgramEndTest::aTerminateSignalEndsTheProgramWithAWarningOpen() {
    if (QStandardPaths::findExecutable(QStringLiteral("xwininfo")).isEmpty()) {
        QSKIP("xwininfo is not installed");
    }
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // The settings file lives beside the program, so the program runs from the temporary folder.
    const QString program = dir.filePath(QStringLiteral("tintrel"));
    if (::link(TINTREL_PROGRAM, QFile::encodeName(program).constData()) != 0) {
        QVERIFY(QFile::copy(QStringLiteral(TINTREL_PROGRAM), program));
    }
    // Two start-up warnings (a bad colour, a damaged style count), and custom colours that
    // cannot be saved because a folder stands where their file goes.
    QFile ini(dir.filePath(QStringLiteral("Tintrel.ini")));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write(
        "[@@Prev@@]\r\nStartColor=0xZZ\r\n[STYLES]\r\nSTYLE.Count=-1\r\nSTYLE.0=Sunset\r\nSTYLE.1=Sea\r\n"
        "[Sunset]\r\nStartColor=0x000000FF\r\n[Sea]\r\nStartColor=0x00FF0000\r\n");
    ini.close();
    QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("config/OrivSoft/Tintrel.conf"))));

    QProcess tintrel;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display_);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("HOME"), dir.path());
    // A Japanese desktop, so the message checked below is the Japanese one.
    environment.insert(QStringLiteral("LANGUAGE"), QStringLiteral("ja"));
    tintrel.setProcessEnvironment(environment);
    tintrel.start(program, {});
    QVERIFY(tintrel.waitForStarted());
    const auto stop = qScopeGuard([&tintrel] {
        if (tintrel.state() != QProcess::NotRunning) {
            tintrel.kill();
            tintrel.waitForFinished();
        }
    });

    // The first warning box (titled "Tintrel"; the window is "Tintrel 1.31") waits for an answer.
    QTRY_VERIFY_WITH_TIMEOUT(WindowShown(QStringLiteral("Tintrel")), 60000);
    QCOMPARE(::kill(static_cast<pid_t>(tintrel.processId()), SIGTERM), 0);
    // A generous bound for the sanitizer build; the program itself ends in well under a second.
    QVERIFY2(tintrel.waitForFinished(30000), "the program did not end after the terminate signal");
    QCOMPARE(tintrel.exitStatus(), QProcess::NormalExit);
    QCOMPARE(tintrel.exitCode(), 0);

    const QString errors = QString::fromLocal8Bit(tintrel.readAllStandardError());
    QVERIFY2(errors.contains(QStringLiteral("カスタムカラーは保存されていません")), qPrintable(errors));
    QVERIFY(ini.open(QIODevice::ReadOnly));
    const QByteArray saved = ini.readAll();
    QVERIFY(saved.contains("[Option]\r\n"));
    QVERIFY(saved.contains("[Sunset]\r\n") && saved.contains("[Sea]\r\n"));
}

QTEST_GUILESS_MAIN(ProgramEndTest)
#include "ProgramEndTest.moc"
