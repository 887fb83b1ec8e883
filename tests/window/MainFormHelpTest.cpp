// Every item of the options menu with its submenus, the preview's menu, the style list's menu and
// the copy menus is named in the help page of the window's language, so an item added without a
// word in the help is caught.
#include "support/FormRig.h"
#include "window/UiTranslators.h"
#include "window/mainform.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QRegularExpression>
#include <QTextDocument>
#include <QtTest>

class MainFormHelpTest : public QObject {
    Q_OBJECT

private slots:
    void everyMenuItemIsInTheHelp_data();
    void everyMenuItemIsInTheHelp();
};

namespace {

// The captions of a menu and its submenus as the help writes them: without the access key (a
// Japanese "(&K)" whole; "&&" stays one "&") and without the dots that say a dialog follows.
void AddCaptions(const QMenu& menu, QStringList& captions) {
    static const QRegularExpression japaneseKey(QStringLiteral("\\(&\\w\\)"));
    static const QRegularExpression key(QStringLiteral("&(.)"));
    static const QRegularExpression dots(QStringLiteral("(…|\\.\\.\\.)$"));
    for (const QAction* item : menu.actions()) {
        if (!item->isSeparator()) {
            captions << item->text().remove(japaneseKey).replace(key, QStringLiteral("\\1")).remove(dots);
        }
        if (item->menu() != nullptr) {
            AddCaptions(*item->menu(), captions);
        }
    }
}

} // namespace

void MainFormHelpTest::everyMenuItemIsInTheHelp_data() {
    QTest::addColumn<bool>("english");
    QTest::addColumn<QString>("page");
    QTest::newRow("Japanese") << false << QStringLiteral(TINTREL_HELP_DIR "/tintrel.html");
    QTest::newRow("English") << true << QStringLiteral(TINTREL_HELP_DIR "/tintrel.en.html");
}

void MainFormHelpTest::everyMenuItemIsInTheHelp() {
    QFETCH(bool, english);
    QFETCH(QString, page);
    const TUiTranslators translators(english ? TUiLanguage::English : TUiLanguage::Japanese);
    TFormRig rig;
    TForm1& form = rig.Create();
    QFile file(page);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(page));
    QTextDocument help;
    help.setHtml(QString::fromUtf8(file.readAll()));
    const QString text = help.toPlainText().simplified();

    QStringList captions;
    for (const QMenu* menu : {form.PmOpt, form.PmPreview, form.Pm1, form.PmCopy, form.PmFont}) {
        AddCaptions(*menu, captions);
    }
    QStringList missing;
    for (const QString& caption : captions) {
        if (!text.contains(caption)) {
            missing << caption;
        }
    }
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char('\n'))));
}

QTEST_MAIN(MainFormHelpTest)
#include "MainFormHelpTest.moc"
