#include "colorpicker/ColorDropButton.h"
#include "platform/FileUserStore.h"
#include "platform/Services.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

const QString kKey = QStringLiteral("Software\\OrivSoft\\Tintrel");

// A window named Form1 holding a colour button that keeps its custom colours in `store` (none:
// the program's own) under kKey.
struct TForm {
    QWidget Window;
    TColorDropButton* Button;

    explicit TForm(TUserStore* store, const char* buttonName = "ClBtn1") {
        Window.setObjectName(QStringLiteral("Form1"));
        TServices services;
        services.UserStore = store != nullptr ? store : DesktopServices().UserStore;
        Button = new TColorDropButton(services, &Window);
        Button->setObjectName(QString::fromLatin1(buttonName));
        Button->SetCustomColorsKey(kKey);
        Button->Loaded();
    }

    void SetCustom(int x, int y, TColor color) {
        TColorArrayClass custom = Button->CustomColors();
        custom.SetColors(x, y, color);
        Button->SetCustomColors(custom);
    }
};

QByteArray ReadAll(const QString& fileName) {
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void WriteAll(const QString& fileName, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(fileName).absolutePath());
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class CustomColorsStoreTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void keyPathNamesFileAndSection_data();
    void keyPathNamesFileAndSection();
    void savedAtDestructionAndLoadedByTheNextButton();
    void otherLinesStayAndNamesMatchWithoutCase();
    void damagedFileNeverCrashes();
    void unwritableStoreIsReportedOnceAndTheButtonsStillGo();

private:
    std::unique_ptr<QTemporaryDir> home;
    TFileUserStore fileStore;
    QStringList reports;
    QString conf;
};

void CustomColorsStoreTest::init() {
    home = std::make_unique<QTemporaryDir>();
    QVERIFY(home->isValid());
    qputenv("XDG_CONFIG_HOME", home->path().toUtf8());
    qputenv("HOME", home->path().toUtf8());
    conf = home->path() + QStringLiteral("/OrivSoft/Tintrel.conf");
    fileStore = TFileUserStore();
    reports.clear();
    fileStore.SetErrorReporter([this](const QString& message) { reports << message; });
}

void CustomColorsStoreTest::cleanup() {
    home.reset();
}

void CustomColorsStoreTest::keyPathNamesFileAndSection_data() {
    QTest::addColumn<QString>("keyPath");
    QTest::addColumn<QString>("file"); // relative to the configuration folder; empty: refused
    QTest::addColumn<QString>("section");
    QTest::newRow("program key") << "Software\\OrivSoft\\Tintrel\\Colors"
                                 << "OrivSoft/Tintrel.conf"
                                 << "Colors";
    QTest::newRow("any case of Software") << "SOFTWARE\\OrivSoft\\Tintrel\\Colors"
                                          << "OrivSoft/Tintrel.conf"
                                          << "Colors";
    QTest::newRow("without Software") << "OrivSoft\\Tintrel\\Colors"
                                      << "OrivSoft/Tintrel.conf"
                                      << "Colors";
    QTest::newRow("short key") << "Software\\Tintrel\\Colors"
                               << "Tintrel.conf"
                               << "Colors";
    QTest::newRow("no section") << "Software\\Tintrel"
                                << ""
                                << "";
    QTest::newRow("climbing out") << "Software\\..\\Tintrel\\Colors"
                                  << ""
                                  << "";
    QTest::newRow("slash inside a name") << "Software\\a/b\\Colors"
                                         << ""
                                         << "";
    QTest::newRow("empty component") << "Software\\OrivSoft\\\\Colors"
                                     << ""
                                     << "";
}

void CustomColorsStoreTest::keyPathNamesFileAndSection() {
    QFETCH(QString, keyPath);
    QFETCH(QString, file);
    QFETCH(QString, section);
    QString fileName;
    QString foundSection;
    QCOMPARE(TFileUserStore::Locate(keyPath, fileName, foundSection), !file.isEmpty());
    if (!file.isEmpty()) {
        QCOMPARE(fileName, home->path() + u'/' + file);
        QCOMPARE(foundSection, section);
    }
}

void CustomColorsStoreTest::savedAtDestructionAndLoadedByTheNextButton() {
    TUserStore* const programStore = nullptr; // the program's own, which follows XDG_CONFIG_HOME
    {
        TForm first(programStore);
        first.SetCustom(1, 1, 0x00FF0000);
        first.SetCustom(8, 2, 0x8000000F);
    }
    const QByteArray expected = "[Colors]\r\nForm1.ClBtn1=$00FF0000," +
                                QStringList(14, "$00FFFFFF").join(u',').toLatin1() + ",$8000000F\r\n";
    QCOMPARE(ReadAll(conf), expected);

    TForm second(programStore);
    QCOMPARE(second.Button->CustomColors().Colors(1, 1), TColor(0x00FF0000));
    QCOMPARE(second.Button->CustomColors().Colors(8, 2), TColor(0x8000000F));
    QCOMPARE(second.Button->CustomColors().Colors(1, 2), clWhite);
}

void CustomColorsStoreTest::otherLinesStayAndNamesMatchWithoutCase() {
    WriteAll(conf, "; kept\n[colors]\nFORM1.CLBTN1=$00000001,$00000002\nOther=1\n\n[Else]\nx=y\n");
    {
        TForm first(&fileStore);
        QCOMPARE(first.Button->CustomColors().Colors(1, 2), TColor(2));
        first.SetCustom(1, 1, 0x7);
        TForm background(&fileStore, "ClBtnBk");
    }
    const QByteArray text = ReadAll(conf);
    // The value is changed where it stands, under the name it already had.
    QVERIFY2(text.startsWith("; kept\r\n[colors]\r\nFORM1.CLBTN1=$00000007,$00000002,$00FFFFFF,"),
             text.constData());
    QVERIFY2(text.contains("$00FFFFFF\r\nOther=1\r\nForm1.ClBtnBk=$00FFFFFF,"), text.constData());
    QVERIFY2(text.endsWith("\r\n\r\n[Else]\r\nx=y\r\n"), text.constData());
    QVERIFY(reports.isEmpty());
}

void CustomColorsStoreTest::damagedFileNeverCrashes() {
    QByteArray garbage("[Colors]\r\nForm1.ClBtn1=");
    for (int i = 0; i < 600; ++i) {
        garbage.append(char((i * 37) % 256));
    }
    WriteAll(conf, garbage + "\r\n[Colors\r\n=\r\n[]\r\n");
    TForm form(&fileStore);
    for (int x = 1; x <= 8; ++x) {
        QCOMPARE(form.Button->CustomColors().Colors(x, 2), clWhite);
    }
}

void CustomColorsStoreTest::unwritableStoreIsReportedOnceAndTheButtonsStillGo() {
    // The folder OrivSoft cannot be made: a plain file of that name is in the way.
    WriteAll(home->path() + QStringLiteral("/OrivSoft"), "not a folder");
    {
        TForm first(&fileStore);
        TForm background(&fileStore, "ClBtnBk");
    }
    QCOMPARE(reports.size(), 1);
    QVERIFY2(reports.first().contains(QStringLiteral("OrivSoft/Tintrel.conf")), qPrintable(reports.first()));
}

QTEST_MAIN(CustomColorsStoreTest)
#include "CustomColorsStoreTest.moc"
