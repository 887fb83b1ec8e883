// The desktop services the window goes through: file-dialog filters and default extensions,
// terminate signals delivered on the event loop, and the Windows faces mapped for drawing.
#include "platform/DialogService.h"
#include "platform/FontSubstitutes.h"
#include "platform/TerminationSignals.h"

#include <QFont>
#include <QFontInfo>
#include <QSignalSpy>
#include <QtTest>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

class PlatformServicesTest : public QObject {
    Q_OBJECT

private slots:
    void filtersBecomeQtNameFilters_data();
    void filtersBecomeQtNameFilters();
    void defaultExtensionIsAddedOnlyWhenMissing_data();
    void defaultExtensionIsAddedOnlyWhenMissing();
    void terminateSignalsArriveOnTheEventLoop_data();
    void terminateSignalsArriveOnTheEventLoop();
    void aSecondSignalEndsAProgramWhoseLoopIsStuck();
    void windowsJapaneseFacesDrawWithAnInstalledFont();
};

void PlatformServicesTest::filtersBecomeQtNameFilters_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("page and style") << "HTML File|*.html;*.htm|Tintrel Style File|*.tsy"
                                    << QStringList{"HTML File (*.html *.htm)", "Tintrel Style File (*.tsy)"};
    QTest::newRow("style only") << "Tintrel Style File|*.tsy" << QStringList{"Tintrel Style File (*.tsy)"};
    QTest::newRow("a label without patterns is dropped") << "Lonely" << QStringList{};
}

void PlatformServicesTest::filtersBecomeQtNameFilters() {
    QFETCH(QString, filter);
    QFETCH(QStringList, expected);
    QCOMPARE(QtNameFilters(filter), expected);
}

void PlatformServicesTest::defaultExtensionIsAddedOnlyWhenMissing_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    QTest::newRow("none") << "/tmp/page"
                          << "/tmp/page.htm";
    QTest::newRow("has one") << "/tmp/page.html"
                             << "/tmp/page.html";
    QTest::newRow("ends in a dot") << "/tmp/page."
                                   << "/tmp/page.htm";
    QTest::newRow("dot only in the folder") << "/tmp/a.b/page"
                                            << "/tmp/a.b/page.htm";
    QTest::newRow("empty stays empty") << ""
                                       << "";
}

void PlatformServicesTest::defaultExtensionIsAddedOnlyWhenMissing() {
    QFETCH(QString, name);
    QFETCH(QString, expected);
    QCOMPARE(WithDefaultExtension(name, QStringLiteral("htm")), expected);
}

void PlatformServicesTest::terminateSignalsArriveOnTheEventLoop_data() {
    QTest::addColumn<int>("signalNumber");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGINT") << int(SIGINT);
    QTest::newRow("SIGHUP") << int(SIGHUP);
}

void PlatformServicesTest::terminateSignalsArriveOnTheEventLoop() {
    QFETCH(int, signalNumber);
    TTerminationSignals watcher;
    QSignalSpy spy(&watcher, &TTerminationSignals::terminationRequested);
    QVERIFY(std::raise(signalNumber) == 0); // the process lives on: the handler only notes it
    QVERIFY(spy.isEmpty());                 // nothing runs inside the signal handler
    QTRY_COMPARE(spy.size(), 1);
    QCOMPARE(spy.first().first().toInt(), signalNumber);
}

void PlatformServicesTest::aSecondSignalEndsAProgramWhoseLoopIsStuck() {
    TTerminationSignals watcher;
    QSignalSpy spy(&watcher, &TTerminationSignals::terminationRequested);
    // A running loop takes each signal as one more request to end.
    QVERIFY(std::raise(SIGTERM) == 0);
    QTRY_COMPARE(spy.size(), 1);
    QVERIFY(std::raise(SIGINT) == 0);
    QTRY_COMPARE(spy.size(), 2);

    // A copy of this process whose loop never runs: the first signal waits in the pipe, the
    // second ends it by the signal's own default action.
    const pid_t child = fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        std::raise(SIGTERM);
        std::raise(SIGTERM);
        _exit(0);
    }
    int status = 0;
    QCOMPARE(waitpid(child, &status, 0), child);
    QVERIFY(WIFSIGNALED(status));
    QCOMPARE(WTERMSIG(status), SIGTERM);
}

void PlatformServicesTest::windowsJapaneseFacesDrawWithAnInstalledFont() {
    InstallWindowsFontSubstitutes();
    const QString face = QStringLiteral("ＭＳ Ｐゴシック");
    QVERIFY(WindowsFaceNames().contains(face));
    QVERIFY(IsDrawableWindowsFace(face)); // the build machine has the IPA fonts
    const QFontInfo drawn(QFont(face, 12));
    QVERIFY2(drawn.family().contains(QStringLiteral("IPA")) ||
                 drawn.family().contains(QStringLiteral("Noto")) ||
                 drawn.family().contains(QStringLiteral("VL")),
             qPrintable(drawn.family()));
}

QTEST_MAIN(PlatformServicesTest)
#include "PlatformServicesTest.moc"
