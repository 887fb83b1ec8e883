// The window in English: its texts come from the built-in translation, and what it keeps in
// its captions still works when the captions are not the Japanese ones.
#include "controls/FontCombo.h"
#include "engine/CodePage.h"
#include "support/FormRig.h"
#include "window/AccessKeys.h"
#include "window/UiTranslators.h"
#include "window/mainform.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QtTest>

class MainFormLanguageTest : public QObject {
    Q_OBJECT

private slots:
    void captionsFollowTheLanguage_data();
    void captionsFollowTheLanguage();
    void theBaseFontSizeWorksInEnglish();
    void theSavedCssPageTakesTheTextsLanguage_data();
    void theSavedCssPageTakesTheTextsLanguage();
    void hintsFitTheStatusBarAtTheStartWidth_data();
    void hintsFitTheStatusBarAtTheStartWidth();
    void theDefaultFaceShowsUnderTheListsName();
};

void MainFormLanguageTest::captionsFollowTheLanguage_data() {
    QTest::addColumn<bool>("english");
    QTest::addColumn<QStringList>("captions");
    QTest::newRow("English") << true
                             << QStringList{"Text", "Base font size 11pt", "About Tintrel",
                                            "Copy as COLOR='#rrggbb'"};
    QTest::newRow("Japanese") << false
                              << QStringList{"テキスト", "ベースフォントサイズ 11pt", "Tintrelについて",
                                             "COLOR='#rrggbb' 形式でコピー"};
}

void MainFormLanguageTest::captionsFollowTheLanguage() {
    QFETCH(bool, english);
    QFETCH(QStringList, captions);
    const TUiTranslators translators(english ? TUiLanguage::English : TUiLanguage::Japanese);
    TFormRig rig;
    TForm1& form = rig.Create();
    // The menu item as read, its access key aside.
    QCOMPARE(
        (QStringList{form.Panel1->text(), form.CbOptFontSize->text(), WithoutAccessKey(form.PmAbout->text()),
                     form.findChild<QAction*>(QStringLiteral("COLOR1"))->statusTip()}),
        captions);
    QCOMPARE(form.windowTitle(), QStringLiteral("Tintrel 1.31"));
}

void MainFormLanguageTest::theBaseFontSizeWorksInEnglish() {
    const TUiTranslators translators(TUiLanguage::English);
    TFormRig rig;
    TForm1& form = rig.Create();
    rig.dialogs.InputAnswers.push_back(QStringLiteral("20"));
    form.CbOptFontSizeClick();
    QCOMPARE(rig.dialogs.Inputs.value(0), QStringLiteral("Base font size|Enter the font size|11"));
    QCOMPARE(form.CbOptFontSize->text(), QStringLiteral("Base font size 20pt"));
    QCOMPARE(form.PreviewFont().Points, 20);
    form.close();
    QFile ini(rig.Ini());
    QVERIFY(ini.open(QIODevice::ReadOnly));
    QVERIFY(ini.readAll().contains("Opt2-1=20\r\n"));
}

void MainFormLanguageTest::theSavedCssPageTakesTheTextsLanguage_data() {
    QTest::addColumn<bool>("english");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("language");
    QTest::newRow("English text, English window") << true << "Hello world" << QByteArray("en");
    QTest::newRow("Japanese text, English window") << true << "こんにちは" << QByteArray("ja");
    QTest::newRow("mixed text, English window") << true << "Hello 世界" << QByteArray("ja");
    QTest::newRow("English text, Japanese window") << false << "Hello world" << QByteArray("ja");
}

void MainFormLanguageTest::theSavedCssPageTakesTheTextsLanguage() {
    QFETCH(bool, english);
    QFETCH(QString, text);
    QFETCH(QByteArray, language);
    const TUiTranslators translators(english ? TUiLanguage::English : TUiLanguage::Japanese);
    TFormRig rig;
    TForm1& form = rig.Create();
    form.findChild<QAction*>(QStringLiteral("CbFormatCss"))->trigger();
    form.EdText->setText(text);
    const QString target = rig.Path(QStringLiteral("page.html"));
    rig.dialogs.FileAnswers.push_back(target);
    form.TbSaveClick();
    QFile page(target);
    QVERIFY(page.open(QIODevice::ReadOnly));
    QVERIFY2(page.readAll().contains("<HTML LANG=\"" + language + "\">"), qPrintable(target));
    // The copied fragment names it on the text that screen readers read.
    form.TbCopyMouseDown(Qt::LeftButton);
    QVERIFY2(rig.clipboard.Content.contains(
                 QStringLiteral("<SPAN LANG=\"%1\" STYLE=").arg(QString::fromLatin1(language))),
             qPrintable(rig.clipboard.Content));
}

void MainFormLanguageTest::hintsFitTheStatusBarAtTheStartWidth_data() {
    QTest::addColumn<bool>("english");
    QTest::newRow("English") << true;
    QTest::newRow("Japanese") << false;
}

void MainFormLanguageTest::hintsFitTheStatusBarAtTheStartWidth() {
    QFETCH(bool, english);
    const TUiTranslators translators(english ? TUiLanguage::English : TUiLanguage::Japanese);
    TFormRig rig;
    TForm1& form = rig.Create();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QStringList cut;
    for (const char* name : {"cbTable", "TbCopy"}) {
        auto* widget = form.findChild<QWidget*>(QString::fromLatin1(name));
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(widget, &enter);
        const QString hint = form.StBar->currentMessage();
        // The status bar draws its message inside a few pixels of margin on either side.
        if (form.StBar->fontMetrics().horizontalAdvance(hint) > form.StBar->width() - 12) {
            cut << QStringLiteral("%1 > %2: %3")
                       .arg(form.StBar->fontMetrics().horizontalAdvance(hint))
                       .arg(form.StBar->width() - 12)
                       .arg(hint);
        }
    }
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QLatin1Char('\n'))));
}

void MainFormLanguageTest::theDefaultFaceShowsUnderTheListsName() {
    const QByteArray face = QByteArray::fromStdString(Utf8ToCp932("ＭＳ Ｐゴシック").Bytes);
    for (const bool english : {true, false}) {
        const TUiTranslators translators(english ? TUiLanguage::English : TUiLanguage::Japanese);
        TFormRig rig;
        TForm1& form = rig.Create();
        if (form.FCBox->findText(QStringLiteral("MS PGothic")) < 0) {
            QSKIP("no stand-in for the Windows Japanese faces is installed");
        }
        QCOMPARE(form.FCBox->FontName(),
                 english ? QStringLiteral("MS PGothic") : QStringLiteral("ＭＳ Ｐゴシック"));
        // The settings file keeps the design's bytes.
        form.close();
        QFile ini(rig.Ini());
        QVERIFY(ini.open(QIODevice::ReadOnly));
        const QByteArray settings = ini.readAll();
        QVERIFY(settings.contains(face) && !settings.contains("MS PGothic"));
    }
}

QTEST_MAIN(MainFormLanguageTest)
#include "MainFormLanguageTest.moc"
