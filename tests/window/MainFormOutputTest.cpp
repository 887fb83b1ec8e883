// What leaves the main window: the copies, the snippets and the sample page.
#include "support/FakeCanvas.h"
#include "support/FormOutput.h"
#include "support/FormRig.h"

#include "colorpicker/ColorDropButton.h"
#include "controls/FontCombo.h"
#include "engine/CodePage.h"
#include "engine/OutputKind.h"
#include "engine/Refresh.h"
#include "platform/SystemColors.h"
#include "window/ColorLabel.h"
#include "window/mainform.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct TRig : TFormRig {
    TForm1& Open(const QString& text) {
        Create();
        form->show();
        form->EdText->setText(text);
        form->Refresh();
        return *form;
    }
};

const QString kPlainLine = QStringLiteral("<FONT COLOR=\"#FF0000\">A</FONT><FONT COLOR=\"#FFFF00\">B</FONT>");

} // namespace

class MainFormOutputTest : public QObject {
    Q_OBJECT

private slots:
    void copyPutsTheHtmlOnTheClipboard_data();
    void copyPutsTheHtmlOnTheClipboard();
    void copyWithoutHtmlLeavesTheClipboardAndSaysSo();
    void snippetsFollowTheMenuItem_data();
    void snippetsFollowTheMenuItem();
    void anEmptySnippetIsNotCopied();
    void savingWritesThePageAndRemembersTheFolder();
    void savingInTableModeUsesTheWindowColour();
    void openingAfterSaveFollowsTheExtension_data();
    void openingAfterSaveFollowsTheExtension();
    void savingAsksBeforeReplacingAFile();
    void aPageThatCannotBeWrittenIsReported();
    void copyAndPageFollowTheOutputKind_data();
    void copyAndPageFollowTheOutputKind();
    void theOutputKindIsKeptInTheSettingsFile();
    void anotherKindIsBuiltWithoutChangingTheChosenOne();
    void bbcodeSaysItWritesNoTableOrComment();
    void bbcodeSaysWhenItLeavesOutTheFace_data();
    void bbcodeSaysWhenItLeavesOutTheFace();
    void pasteTargetsCountFitAndReadBack();
    void theBudgetAndFitAreKeptInTheSettingsFileWhenChosen();
    void thePreviewShowsThePaletteOfTheTarget();
};

void MainFormOutputTest::copyPutsTheHtmlOnTheClipboard_data() {
    QTest::addColumn<bool>("lowerCase");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("title");
    const QString lower = QString(kPlainLine)
                              .replace(QStringLiteral("FONT"), QStringLiteral("font"))
                              .replace(QStringLiteral("COLOR"), QStringLiteral("color"));
    QTest::newRow("left, upper case") << false << Qt::LeftButton << "\r\n" + kPlainLine + "\r\n\r\n"
                                      << QStringLiteral("HTMLをコピーしました");
    QTest::newRow("right, upper case")
        << false << Qt::RightButton << kPlainLine << QStringLiteral("HTMLをコピーしました（１行）");
    QTest::newRow("left, lower case") << true << Qt::LeftButton << "\r\n" + lower + "\r\n\r\n"
                                      << QStringLiteral("HTMLをコピーしました");
    QTest::newRow("right, lower case")
        << true << Qt::RightButton << lower << QStringLiteral("HTMLをコピーしました（１行）");
}

void MainFormOutputTest::copyPutsTheHtmlOnTheClipboard() {
    QFETCH(bool, lowerCase);
    QFETCH(Qt::MouseButton, button);
    QFETCH(QString, clipboard);
    QFETCH(QString, title);
    TRig rig;
    TForm1& form = rig.Open(QStringLiteral("AB"));
    if (lowerCase) {
        form.CbOpt9->trigger();
    }
    form.TbCopyMouseDown(button);
    QCOMPARE(rig.clipboard.Content, clipboard);
    QCOMPARE(form.windowTitle(), title);
    QVERIFY(form.Timer1->isActive());
    // The middle button copies nothing.
    form.TbCopyMouseDown(Qt::MiddleButton);
    QCOMPARE(rig.clipboard.Writes, 1);
}

void MainFormOutputTest::copyWithoutHtmlLeavesTheClipboardAndSaysSo() {
    TRig rig;
    TForm1& form = rig.Open(QStringLiteral("A"));
    form.TbCopyMouseDown(Qt::LeftButton);
    QCOMPARE(rig.clipboard.Writes, 0);
    QCOMPARE(form.windowTitle(), QStringLiteral("コピーするものがありません"));
}

void MainFormOutputTest::snippetsFollowTheMenuItem_data() {
    QTest::addColumn<bool>("lowerCase");
    QTest::addColumn<int>("tag");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("title");
    const struct {
        const char* name;
        int tag;
        const char* upper;
        const char* lower;
        const char* suffix;
    } rows[] = {
        {"COLOR", 0, "COLOR=\"#FF8000\"", "color=\"#FF8000\"", "(COLOR)"},
        {"BGCOLOR", 1, "BGCOLOR=\"#FF8000\"", "bgcolor=\"#FF8000\"", "(BGCOLOR)"},
        {"RGB", 2, "FF8000", "FF8000", " (RGB)"},
        {"BORDER COLOR", 3, "BORDER-COLOR: #FF8000;", "border-color: #FF8000;", "(BORDERCOLOR)"},
        {"font name", 10, "IPAPGothic", "IPAPGothic", "(FONT ONLY)"},
        {"FACE", 11, "FACE=\"IPAPGothic\"", "face=\"IPAPGothic\"", "(FONT FACE)"},
        {"FONT-FAMILY", 12, "FONT-FAMILY: IPAPGothic;", "font-family: IPAPGothic;", "(FONT-FAMILY)"},
    };
    for (const auto& row : rows) {
        for (const bool lower : {false, true}) {
            QTest::addRow("%s, %s case", row.name, lower ? "lower" : "upper")
                << lower << row.tag << QString::fromUtf8(lower ? row.lower : row.upper)
                << QStringLiteral("コピーしました ") + QString::fromUtf8(row.suffix);
        }
    }
}

void MainFormOutputTest::snippetsFollowTheMenuItem() {
    QFETCH(bool, lowerCase);
    QFETCH(int, tag);
    QFETCH(QString, clipboard);
    QFETCH(QString, title);
    TRig rig;
    TForm1& form = rig.Open(QStringLiteral("AB"));
    if (lowerCase) {
        form.CbOpt9->trigger();
    }
    form.FCBox->SetFontName(QStringLiteral("IPAPGothic"));
    form.ClBtnBk->SetColor(0x000080FF);
    form.FlClMouseDown(form.FlClBk, Qt::LeftButton);
    form.FlClClick(tag);
    QCOMPARE(rig.clipboard.Content, clipboard);
    QCOMPARE(form.windowTitle(), title);
}

void MainFormOutputTest::anEmptySnippetIsNotCopied() {
    TRig rig;
    TForm1& form = rig.Open(QStringLiteral("AB"));
    form.FlClClick(0); // no colour label pressed yet
    QCOMPARE(rig.clipboard.Writes, 0);
    QCOMPARE(form.windowTitle(), QStringLiteral("コピーするものがありません"));
}

void MainFormOutputTest::savingWritesThePageAndRemembersTheFolder() {
    TRig rig;
    TForm1& form = rig.Open(QStringLiteral("AB"));
    form.ClBtnBk->SetColor(0x00FFFFFF);
    // Typed without Enter: saving refreshes first, so the page has the new text.
    form.EdText->setText(QStringLiteral("AB"));
    const QString target = rig.Path(QStringLiteral("out/page.html"));
    QVERIFY(QDir(rig.dir.path()).mkdir(QStringLiteral("out")));
    rig.dialogs.FileAnswers.push_back(target);
    form.TbSaveClick();
    const TFileDialogRequest request = rig.dialogs.FileRequests.first();
    QCOMPARE(request.FileName, QStringLiteral("Sample.html"));
    QCOMPARE(request.DefaultExt, QStringLiteral("htm"));
    QCOMPARE(request.FilterIndex, 1);
    QCOMPARE(request.InitialDir, QString());
    QCOMPARE(ReadFile(target), QByteArray("<HTML><HEAD><TITLE>Tintrel Sample</TITLE></HEAD>\r\n"
                                          "<BODY BGCOLOR=\"#FFFFFF\">\r\n\r\n") +
                                   kPlainLine.toLatin1() + "\r\n\r\n</BODY></HTML>\r\n");
    QVERIFY(rig.launcher.Launches.isEmpty()); // opening after save is off by default

    // The next save proposes the same name in the remembered folder.
    rig.dialogs.FileAnswers.push_back(std::nullopt);
    form.TbSaveClick();
    QCOMPARE(rig.dialogs.FileRequests.last().InitialDir, rig.Path(QStringLiteral("out")) + "/");
    QCOMPARE(rig.dialogs.FileRequests.last().FileName, QStringLiteral("Sample.html"));
}

void MainFormOutputTest::savingInTableModeUsesTheWindowColour() {
    TRig rig;
    TForm1& form = rig.Open(QStringLiteral("AB"));
    form.ClBtnBk->SetColor(0x00FFFFFF);
    form.cbTable->setChecked(true);
    const QString target = rig.Path(QStringLiteral("table.htm"));
    rig.dialogs.FileAnswers.push_back(target);
    form.TbSaveClick();
    const QByteArray face = QByteArray::fromStdString(SplitColor(clBtnFace).Hex);
    const QByteArray page = ReadFile(target);
    QVERIFY(page.contains("<BODY BGCOLOR=\"#" + face + "\">\r\n"));
    QVERIFY(page.contains("BGCOLOR=\"FFFFFF\">\r\n"));
}

void MainFormOutputTest::openingAfterSaveFollowsTheExtension_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("opens");
    QTest::newRow(".html") << "a.html" << true;
    QTest::newRow(".HTM") << "b.HTM" << true;
    QTest::newRow("no extension gets .htm") << "c" << true;
    QTest::newRow(".tsy") << "d.tsy" << false;
    QTest::newRow(".txt") << "e.txt" << false;
}

void MainFormOutputTest::openingAfterSaveFollowsTheExtension() {
    QFETCH(QString, name);
    QFETCH(bool, opens);
    TRig rig;
    TForm1& form = rig.Open(QStringLiteral("AB"));
    form.CbOpt5->trigger();
    rig.dialogs.FileAnswers.push_back(rig.Path(name));
    form.TbSaveClick();
    QCOMPARE(rig.launcher.Launches.size(), opens ? 1 : 0);
    if (opens) {
        const TRecordingLauncher::TCall call = rig.launcher.Launches.first();
        QCOMPARE(call.Verb, QStringLiteral("open"));
        QVERIFY(QFile::exists(call.FileName));
        QCOMPARE(call.Folder, rig.dir.path());
        QCOMPARE(call.ShowMode, 5);
    }
}

void MainFormOutputTest::savingAsksBeforeReplacingAFile() {
    TRig rig;
    TForm1& form = rig.Open(QStringLiteral("AB"));
    const QString target = rig.Path(QStringLiteral("keep.html"));
    {
        QFile file(target);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("old");
    }
    rig.dialogs.FileAnswers.push_back(target);
    rig.dialogs.ConfirmAnswers.push_back(false);
    form.TbSaveClick();
    QCOMPARE(rig.dialogs.Confirms.size(), 1);
    QCOMPARE(ReadFile(target), QByteArray("old"));
    form.CbOpt1->trigger(); // no question: replaced at once
    rig.dialogs.FileAnswers.push_back(target);
    form.TbSaveClick();
    QCOMPARE(rig.dialogs.Confirms.size(), 1);
    QVERIFY(ReadFile(target).startsWith("<HTML>"));
}

void MainFormOutputTest::aPageThatCannotBeWrittenIsReported() {
    TRig rig;
    TForm1& form = rig.Open(QStringLiteral("AB"));
    form.CbOpt1->trigger();
    form.CbOpt5->trigger();
    const QString target = rig.Path(QStringLiteral("busy.html"));
    QVERIFY(QDir(rig.dir.path()).mkdir(QStringLiteral("busy.html"))); // a folder in the file's place
    rig.dialogs.FileAnswers.push_back(target);
    form.TbSaveClick();
    QCOMPARE(rig.dialogs.Messages.size(), 1);
    QVERIFY(rig.dialogs.Messages.first().contains(QStringLiteral("ページを保存できませんでした")));
    QVERIFY(QFileInfo(target).isDir());
    QVERIFY(rig.launcher.Launches.isEmpty());
}

QTEST_MAIN(MainFormOutputTest)
#include "MainFormOutputTest.moc"

void MainFormOutputTest::copyAndPageFollowTheOutputKind_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("pageStart");
    QTest::addColumn<QString>("pageEnd");
    QTest::newRow("font") << "CbFormatFont"
                          << "\r\n" + kPlainLine + "\r\n\r\n"
                          << QStringLiteral("HTMLをコピーしました") << "Sample.html"
                          << "<HTML><HEAD><TITLE>Tintrel Sample</TITLE></HEAD>\r\n"
                          << "</BODY></HTML>\r\n";
    QTest::newRow("css") << "CbFormatCss"
                         << QStringLiteral(
                                "\r\n<SPAN ARIA-HIDDEN=\"true\"><SPAN STYLE=\"color:#FF0000\">A</SPAN>"
                                "<SPAN STYLE=\"color:#FFFF00\">B</SPAN></SPAN>"
                                "<SPAN LANG=\"ja\" STYLE=\"position:")
                         << QStringLiteral("HTMLをコピーしました") << "Sample.html"
                         << "<!DOCTYPE html>\r\n<HTML LANG=\"ja\">\r\n<HEAD><META CHARSET=\"utf-8\">"
                         << "</BODY></HTML>\r\n";
    QTest::newRow("bbcode") << "CbFormatBbcode"
                            << "\r\n[COLOR=#FF0000]A[/COLOR][COLOR=#FFFF00]B[/COLOR]\r\n\r\n"
                            << QStringLiteral("BBCodeをコピーしました") << "Sample.txt"
                            << "\r\n[COLOR=#FF0000]A[/COLOR]"
                            << "[/COLOR]\r\n\r\n";
}

void MainFormOutputTest::copyAndPageFollowTheOutputKind() {
    QFETCH(QString, item);
    QFETCH(QString, clipboard);
    QFETCH(QString, title);
    QFETCH(QString, fileName);
    QFETCH(QString, pageStart);
    QFETCH(QString, pageEnd);
    TRig rig;
    TForm1& form = rig.Open(QStringLiteral("AB"));
    // Chosen as the menu does it; the choice refreshes.
    form.PmOpt->findChild<QAction*>(item)->trigger();
    QVERIFY(form.PmOpt->findChild<QAction*>(item)->isChecked());
    form.TbCopyMouseDown(Qt::LeftButton);
    QVERIFY2(rig.clipboard.Content.startsWith(clipboard), qPrintable(rig.clipboard.Content));
    QCOMPARE(form.windowTitle(), title);

    const QString target = rig.Path(fileName);
    rig.dialogs.FileAnswers.push_back(target);
    form.TbSaveClick();
    QCOMPARE(rig.dialogs.FileRequests.first().FileName, fileName);
    const QString page = QString::fromUtf8(ReadFile(target));
    QVERIFY2(page.startsWith(pageStart) && page.endsWith(pageEnd), qPrintable(page));
}

void MainFormOutputTest::theOutputKindIsKeptInTheSettingsFile() {
    {
        TRig rig;
        TForm1& form = rig.Open(QStringLiteral("AB"));
        QVERIFY(form.CbFormat(okFont)->isChecked());
        QVERIFY(form.SaveState(TCloseReason::User));
        QVERIFY(!ReadFile(rig.Ini()).contains("Format="));
        form.CbFormat(okCss)->trigger();
        QVERIFY(form.SaveState(TCloseReason::User));
        QVERIFY(ReadFile(rig.Ini()).contains("Opt9=1\r\nFormat=css\r\n"));

        TFormRig again;
        QFile::remove(again.Ini());
        QVERIFY(QFile::copy(rig.Ini(), again.Ini()));
        again.Create();
        QVERIFY(again.form->CbFormat(okCss)->isChecked());
        QCOMPARE(again.form->OutputKind(), okCss);
    }
}

// A budget and "Shorten to fit" survive the window's close.
void MainFormOutputTest::theBudgetAndFitAreKeptInTheSettingsFileWhenChosen() {
    TRig rig;
    TForm1& form = rig.Open(QStringLiteral("Gradient text for forums and chats"));
    form.CbFormat(okSectionX)->trigger();
    rig.dialogs.InputAnswers.push_back(QStringLiteral("300"));
    form.PmBudgetClick();
    form.CbFit->trigger();
    QVERIFY(form.SaveState(TCloseReason::User));
    QVERIFY(ReadFile(rig.Ini()).contains("Format=section-x\r\nBudget=300\r\nShortenToFit=1\r\n"));

    TFormRig again;
    QFile::remove(again.Ini());
    QVERIFY(QFile::copy(rig.Ini(), again.Ini()));
    again.Create();
    again.form->EdText->setText(QStringLiteral("Gradient text for forums and chats"));
    again.form->Refresh();
    QVERIFY(again.form->CbFit->isChecked());
    QVERIFY(again.form->LbBudget->text().contains(QStringLiteral(" / 300")));
}

void MainFormOutputTest::anotherKindIsBuiltWithoutChangingTheChosenOne() {
    TRig rig;
    TForm1& form = rig.Open(QStringLiteral("AB"));
    const THtmlText css = OutputOfKind(form, okCss);
    QVERIFY(QByteArray::fromStdString(css.Written()).startsWith("\r\n<SPAN ARIA-HIDDEN=\"true\">"));
    QCOMPARE(css.Encoding(), TTextEncoding::Utf8);
    QCOMPARE(form.OutputKind(), okFont);
    QCOMPARE(QString::fromStdString(form.HtmlText().Written()), "\r\n" + kPlainLine + "\r\n\r\n");
    form.EdText->setText(QStringLiteral("A"));
    QVERIFY(OutputOfKind(form, okCss).Empty());
}

void MainFormOutputTest::bbcodeSaysItWritesNoTableOrComment() {
    TRig rig;
    TForm1& form = rig.Open(QStringLiteral("AB"));
    form.CbFormat(okBbcode)->trigger();
    QCOMPARE(form.StBar->currentMessage(), QString());
    form.cbTable->click();
    QCOMPARE(form.StBar->currentMessage(), QStringLiteral("BBCodeにはテーブルとコメントは付きません"));
    form.CbFormat(okMiniMessage)->trigger();
    QVERIFY(form.StBar->currentMessage().contains(
        QStringLiteral("貼り付け先の形式にはテーブルとコメントは付きません")));
    // Every paste target says so.
    for (const TOutputKindRow& row : OutputKinds()) {
        if (row.OtherTarget && row.InWindow) {
            form.CbFormat(row.Kind)->trigger();
            QVERIFY2(form.StBar->currentMessage().contains(
                         QStringLiteral("貼り付け先の形式にはテーブルとコメントは付きません")),
                     std::string(row.Name).c_str());
        }
    }
    form.CbFormat(okFont)->trigger();
    QCOMPARE(form.StBar->currentMessage(), QString());
}

void MainFormOutputTest::bbcodeSaysWhenItLeavesOutTheFace_data() {
    QTest::addColumn<QString>("face");
    QTest::addColumn<bool>("faceTag");
    QTest::addColumn<bool>("leftOut");
    QTest::newRow("brackets") << QStringLiteral("Sans [wght]") << true << true;
    QTest::newRow("closing bracket") << QStringLiteral("ゴシック]") << true << true;
    QTest::newRow("a face BBCode carries") << QStringLiteral("Sans & Co") << true << false;
    QTest::newRow("face tag off") << QStringLiteral("Sans [wght]") << false << false;
}

void MainFormOutputTest::bbcodeSaysWhenItLeavesOutTheFace() {
    QFETCH(QString, face);
    QFETCH(bool, faceTag);
    QFETCH(bool, leftOut);
    TRig rig;
    QFile ini(rig.Ini());
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write(QByteArray("[Option]\r\nOpt3=") + (faceTag ? "1" : "0") + "\r\n[@@Prev@@]\r\nDrawFont.Name=" +
              QByteArray::fromStdString(Utf8ToCp932(face.toStdString()).Bytes) + "\r\n");
    ini.close();
    TForm1& form = rig.Open(QStringLiteral("AB"));
    form.CbFormat(okBbcode)->trigger();
    const QString bbcode = QString::fromUtf8(OutputOfKind(form, okBbcode).Written());
    QCOMPARE(bbcode.contains(QStringLiteral("[font="), Qt::CaseInsensitive), faceTag && !leftOut);
    QCOMPARE(form.StBar->currentMessage().contains(face), leftOut);
    form.CbFormat(okFont)->trigger(); // the font tag carries any face
    QCOMPARE(form.StBar->currentMessage(), QString());
}

// The paste targets: the kinds in their submenu, the count against the budget (in the error
// colour when over), "Shorten to fit", and the gradient taken back from the clipboard.
void MainFormOutputTest::pasteTargetsCountFitAndReadBack() {
    TRig rig;
    TForm1& form = rig.Open(QStringLiteral("Gradient text for forums and chats"));
    QVERIFY(form.PmTargets->actions().contains(form.CbFormat(okSectionX)));
    QVERIFY(!form.PmOpt->actions().contains(form.CbFormat(okSectionX)));
    QVERIFY(form.LbBudget->isHidden());
    form.CbFormat(okSectionX)->trigger();
    QVERIFY(!form.LbBudget->isHidden());
    QCOMPARE(form.LbBudget->text(), QStringLiteral("510 / 256"));
    QVERIFY(form.LbBudget->styleSheet().contains(QStringLiteral("color")));
    QCOMPARE(form.LbBudget->toolTip(),
             QStringLiteral("上限256文字のところ510文字：貼り付け先には長すぎます"));
    // The budget box starts at the target's own limit; Cancel there chooses none.
    form.PmBudgetClick();
    QVERIFY(rig.dialogs.Inputs.last().endsWith(QStringLiteral("|256")));
    QCOMPARE(form.LbBudget->text(), QStringLiteral("510 / 256"));
    form.CbFit->trigger();
    QVERIFY(form.LbBudget->text().startsWith(QStringLiteral("202 / 256　3文字ずつ")));
    QVERIFY(form.LbBudget->styleSheet().isEmpty());
    // An anvil name: 50; nothing fits, so nothing is copied and the status says how much would.
    rig.dialogs.InputAnswers.push_back(QStringLiteral("50"));
    form.PmBudgetClick();
    QVERIFY(form.LbBudget->text().startsWith(QStringLiteral("62 / 50：収まりません（22文字まで）")));
    rig.dialogs.InputAnswers.push_back(QStringLiteral("50"));
    form.PmBudgetClick(); // the box shows the limit chosen
    QVERIFY(rig.dialogs.Inputs.last().endsWith(QStringLiteral("|50")));
    QVERIFY(form.HtmlText().Empty());
    // A budget it cannot take leaves the budget as it was, and says why.
    rig.dialogs.InputAnswers.push_back(QStringLiteral("fifty"));
    form.PmBudgetClick();
    QVERIFY(form.LbBudget->text().startsWith(QStringLiteral("62 / 50")));
    QVERIFY(form.StBar->currentMessage().contains(QStringLiteral("上限は変えていません")));
    // The largest budget the settings file holds back is one below a thousand million.
    QAction* budgetItem = form.findChild<QAction*>(QStringLiteral("PmBudget"));
    rig.dialogs.InputAnswers.emplace_back(QStringLiteral("1000000000"));
    budgetItem->trigger();
    QVERIFY(form.LbBudget->text().startsWith(QStringLiteral("62 / 50")));
    QVERIFY(form.StBar->currentMessage().contains(QStringLiteral("0から999999999まで")));
    rig.dialogs.InputAnswers.emplace_back(QStringLiteral("999999999"));
    budgetItem->trigger();
    QCOMPARE(form.LbBudget->text(), QStringLiteral("510 / 999999999"));
    rig.dialogs.InputAnswers.push_back(QStringLiteral("0"));
    form.PmBudgetClick();

    form.TbCopyMouseDown(Qt::LeftButton);
    const QString copied = rig.clipboard.Content;
    QVERIFY(copied.startsWith(QStringLiteral("§x§F§F§0§0§0§0G")));
    form.EdText->setText(QStringLiteral("other"));
    form.ClBtn1->SetColor(0x00FF00);
    // Added colours and the rainbow, which would hide the colours taken, give way to them.
    TGradient hiding;
    hiding.Stops = {{0x123456, -1}, {0x654321, -1}, {0x111111, -1}};
    hiding.Rainbow = true;
    form.SetColourChoice(hiding);
    form.PmTakeGradientClick();
    QCOMPARE(form.EdText->text(), QStringLiteral("Gradient text for forums and chats"));
    QCOMPARE(form.ClBtn1->Color(), TColor{0x0000FF});
    QCOMPARE(form.ClBtn2->Color(), TColor{0x00FFFF});
    QVERIFY(form.ColourChoice().Stops.empty() && !form.ColourChoice().Rainbow);
    form.TbCopyMouseDown(Qt::LeftButton);
    QCOMPARE(rig.clipboard.Content, copied);

    // Nor does a text cut short or nested too deeply: the window goes on.
    for (const QString& refused : {QStringLiteral("no colours"), QStringLiteral("[\"\",{\"bold"),
                                   QStringLiteral("[\"\",") + QString(70000, u'[')}) {
        rig.clipboard.Content = refused;
        form.PmTakeGradientClick();
        QCOMPARE(form.EdText->text(), QStringLiteral("Gradient text for forums and chats"));
        QVERIFY(form.StBar->currentMessage().contains(QStringLiteral("何も変えていません")));
    }
}

// For every kind whose target shows a palette's colours, the preview draws each character in the
// colour the target shows, not the smooth gradient; the other kinds draw the gradient itself.
void MainFormOutputTest::thePreviewShowsThePaletteOfTheTarget() {
    TRig rig;
    TForm1& form = rig.Open(QStringLiteral("ABCDEFGHIJKL"));
    form.ClBtn1->SetColor(0x2060E0);
    form.ClBtn2->SetColor(0xE08020);
    int palettes = 0;
    for (const TOutputKindRow& kind : OutputKinds()) {
        if (!kind.InWindow || form.CbFormat(kind.Kind) == nullptr) {
            continue;
        }
        form.CbFormat(kind.Kind)->trigger();
        TFakeCanvas canvas(2000, 100);
        form.PaintBoxPaint(canvas);
        const TRefreshInput input = form.CurrentRefreshInput();
        const THtmlOptions options = HtmlOptionsOf(input, form.PreviewFont());
        QCOMPARE(canvas.draws.size(), std::size_t{12});
        bool moved = false;
        for (std::size_t i = 0; i < canvas.draws.size(); ++i) {
            const TColor gradient = GradientColor(input.Gradient, static_cast<int>(i) + 1, 12);
            QCOMPARE(canvas.draws[i].color, kind.ShownColour(gradient, options));
            moved = moved || canvas.draws[i].color != gradient;
        }
        QCOMPARE(moved, kind.Shown != nullptr);
        palettes += kind.Shown != nullptr ? 1 : 0;
    }
    QVERIFY(palettes > 0);
}
