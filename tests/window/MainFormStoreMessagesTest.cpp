// What the window tells the user about a damaged settings file or a file that is not a style
// file: in Japanese, naming the file, section, key and value, and once.
#include "support/FormRig.h"

#include "engine/CodePage.h"
#include "store/IniErrors.h"
#include "store/StyleLibrary.h"
#include "window/StoreErrorText.h"

#include <QComboBox>
#include <QFile>
#include <QtTest>

#include <sys/stat.h>

#include <cerrno>

namespace {

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QStringList Listed(const TForm1& form) {
    QStringList names;
    for (int i = 0; i < form.CbStyle->count(); ++i) {
        names << form.CbStyle->itemText(i);
    }
    return names;
}

} // namespace

class MainFormStoreMessagesTest : public QObject {
    Q_OBJECT

private slots:
    void aDamagedStyleCountIsRepairedAndToldOnce();
    void aFileThatIsNotAStyleFileIsRefusedInJapanese();
    void aSettingsFileThatIsAFifoDoesNotHoldUpTheStart();
    void aSettingsFileInUtf32IsToldOnceAndNeverWritten();
    void eachEncodingProblemHasItsOwnCause();
    void storeErrorsAreSaidInJapanese_data();
    void storeErrorsAreSaidInJapanese();
};

void MainFormStoreMessagesTest::aDamagedStyleCountIsRepairedAndToldOnce() {
    TFormRig rig;
    WriteFile(rig.Ini(), "[@@Prev@@]\r\nStartColor=0xZZ\r\n"
                         "[STYLES]\r\nSTYLE.Count=-1\r\nSTYLE.0=b\r\nSTYLE.1=a\r\nSTYLE.2=c\r\n");
    TForm1& form = rig.Create();
    form.show();
    QTRY_COMPARE(rig.dialogs.Messages.size(), 2);
    const QStringList repaired = rig.dialogs.Messages.filter(QStringLiteral("[STYLES]"));
    QCOMPARE(repaired.size(), 1);
    QVERIFY(repaired.first().contains(QStringLiteral("作り直しました")));
    QVERIFY(repaired.first().contains(rig.Ini()));
    QCOMPARE(Listed(form), (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));

    form.close();
    const QByteArray saved = ReadFile(rig.Ini());
    QVERIFY(saved.contains("STYLE.Count=3\r\nSTYLE.0=a\r\nSTYLE.1=b\r\nSTYLE.2=c\r\n"));
    TFormRig again;
    WriteFile(again.Ini(), saved);
    TForm1& next = again.Create();
    next.show();
    QCoreApplication::processEvents();
    QCOMPARE(Listed(next).size(), 3);
    QVERIFY(again.dialogs.Messages.filter(QStringLiteral("[STYLES]")).isEmpty());
}

void MainFormStoreMessagesTest::aFileThatIsNotAStyleFileIsRefusedInJapanese() {
    TFormRig rig;
    TForm1& form = rig.Create();
    form.show();
    form.close();
    const QByteArray before = ReadFile(rig.Ini());
    const QString page = rig.Path(QStringLiteral("page.html"));
    WriteFile(page, "<!DOCTYPE html>\r\n<html>\r\n<body>x</body>\r\n</html>\r\n");
    rig.dialogs.FileAnswers.push_back(page);
    form.PmImpClick();
    QCOMPARE(rig.dialogs.Messages.size(), 1);
    QVERIFY(rig.dialogs.Messages.first().contains(QStringLiteral("スタイルファイルではない")));
    QVERIFY(rig.dialogs.Messages.first().contains(page));
    QVERIFY(Listed(form).isEmpty());
    QCOMPARE(ReadFile(rig.Ini()), before);
}

void MainFormStoreMessagesTest::aSettingsFileThatIsAFifoDoesNotHoldUpTheStart() {
    TFormRig rig;
    QCOMPARE(::mkfifo(QFile::encodeName(rig.Ini()).constData(), 0644), 0);
    TForm1& form = rig.Create();
    form.show();
    QTRY_VERIFY(!rig.dialogs.Messages.isEmpty());
    QCOMPARE(rig.dialogs.Messages.size(), 1);
    QVERIFY(rig.dialogs.Messages.first().contains(QStringLiteral("通常のファイルではありません")));
    QVERIFY(rig.dialogs.Messages.first().contains(rig.Ini()));
}

void MainFormStoreMessagesTest::aSettingsFileInUtf32IsToldOnceAndNeverWritten() {
    TFormRig rig;
    QByteArray utf32("\x00\x00\xFE\xFF", 4);
    for (const char c : QByteArray("[Option]\r\nOpt1=1\r\n")) {
        utf32 += QByteArray(3, '\0') + c;
    }
    WriteFile(rig.Ini(), utf32);
    TForm1& form = rig.Create();
    form.show();
    QTRY_COMPARE(rig.dialogs.Messages.size(), 1);
    QVERIFY(rig.dialogs.Messages.first().contains(QStringLiteral("UTF-32")));
    form.close();
    QCOMPARE(rig.dialogs.Messages.size(), 1);
    QCOMPARE(ReadFile(rig.Ini()), utf32);
}

void MainFormStoreMessagesTest::eachEncodingProblemHasItsOwnCause() {
    QStringList causes;
    for (const TEncodingProblem problem :
         {TEncodingProblem::Unholdable, TEncodingProblem::NotKeptUnchanged, TEncodingProblem::Invalid,
          TEncodingProblem::NotWritten, TEncodingProblem::NotCp932, TEncodingProblem::ZeroBytes,
          TEncodingProblem::ReadsAsUtf8}) {
        const QString text = StoreErrorText(EIniFileError("/tmp/a.ini", "read", "x", problem), QString());
        QVERIFY2(!causes.contains(text), qPrintable(text));
        causes << text;
    }
}

void MainFormStoreMessagesTest::storeErrorsAreSaidInJapanese_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("parts");
    const QString ini = QStringLiteral("/home/u/Tintrel.ini");
    QTest::newRow("count") << StoreErrorText(
                                  EIniConvertError("STYLES", "STYLE.Count", "-1", "Corrupt list count"), ini)
                           << QStringList{ini, QStringLiteral("[STYLES]"), QStringLiteral("「STYLE.Count」"),
                                          QStringLiteral("「-1」"), QStringLiteral("読み取れません")};
    QTest::newRow("shift-jis value") << StoreErrorText(EIniConvertError(Utf8ToCp932("緑").Bytes, "StartColor",
                                                                        Utf8ToCp932("赤").Bytes, "Bad"),
                                                       ini)
                                     << QStringList{QStringLiteral("[緑]"), QStringLiteral("「赤」")};
    QTest::newRow("read-only") << StoreErrorText(EIniFileError("/tmp/a.ini", "save", "read-only", EACCES,
                                                               TFileProblem::ReadOnly),
                                                 ini)
                               << QStringList{QStringLiteral("/tmp/a.ini"), QStringLiteral("書き込めません"),
                                              QStringLiteral("読み取り専用のファイル")};
    QTest::newRow("control in a face name")
        << StoreErrorText(EStyleFileError("/tmp/e.tsy", EStyleFileError::TReason::ControlInName, "x"), ini)
        << QStringList{QStringLiteral("/tmp/e.tsy"), QStringLiteral("DrawFont.Name"),
                       QStringLiteral("制御文字")};
    QTest::newRow("loop") << StoreErrorText(EIniFileError("/tmp/l.ini", "read", "loop", ELOOP), ini)
                          << QStringList{QStringLiteral("読み込めません"), QStringLiteral("循環")};
}

void MainFormStoreMessagesTest::storeErrorsAreSaidInJapanese() {
    QFETCH(QString, text);
    QFETCH(QStringList, parts);
    for (const QString& part : parts) {
        QVERIFY2(text.contains(part), qPrintable(text + QStringLiteral(" / ") + part));
    }
}

QTEST_MAIN(MainFormStoreMessagesTest)
#include "MainFormStoreMessagesTest.moc"
