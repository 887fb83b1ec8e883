// The main window under Qt Test: start, close, sizes, the commands' HTML, options and the
// failures it must survive. Dialogs, clipboard and launching are scripted.
#include "support/FormRig.h"

#include "colorpicker/ColorDropButton.h"
#include "controls/TransBtn.h"

#include "engine/CodePage.h"
#include "engine/PreviewFontSize.h"
#include "platform/SystemColors.h"
#include "platform/TerminationSignals.h"
#include "window/ColorLabel.h"
#include "window/PreviewBox.h"
#include "window/mainform.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <csignal>
#include <memory>
#include <sys/stat.h>

namespace {

QByteArray Sjis(const char* utf8) {
    return QByteArray::fromStdString(Utf8ToCp932(utf8).Bytes);
}

// A window on a settings file in a temporary folder, with scripted services.
struct TRig : TFormRig {
    void WriteIni(const QByteArray& bytes) const {
        QFile file(Ini());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray ReadIni() const {
        QFile file(Ini());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    TForm1& Open() { return Create(); }
    TForm1& OpenShown() {
        Open();
        form->show();
        [[maybe_unused]] const bool exposed = QTest::qWaitForWindowExposed(form.get());
        return *form;
    }
    // The middle line of a plain fragment: the character tags.
    QByteArray Body() const {
        const QByteArray written = QByteArray::fromStdString(form->HtmlText().Written());
        return written.split('\n').value(1).chopped(1);
    }
};

QByteArray ExpectedFirstRun(int left, int top) {
    QByteArray bytes;
    const auto line = [&bytes](const QByteArray& text) { bytes += text + "\r\n"; };
    line("[Option]");
    line("Position.X=" + QByteArray::number(left));
    line("Position.Y=" + QByteArray::number(top));
    line("Opt1=1");
    line("Opt2-1=11");
    for (const char* key : {"Opt3", "Opt4", "Opt5", "Opt6", "Opt7", "Opt8"}) {
        line(QByteArray(key) + "=0");
    }
    line("Opt9=1");
    line("[@@Prev@@]");
    line("DrawFont.Name=" + Sjis("ＭＳ Ｐゴシック"));
    line("DrawFont.Size=9");
    line("DrawFont.Style=0");
    line("DrawFont.Color=0x80000008");
    line("SizeIndex=0");
    line("Head=0");
    line("StartColor=0x000000FF");
    line("FinishColor=0x0000FFFF");
    line("MiddleColor=0x00FFFFFF");
    line("BGColor=0x8000000F");
    line("Mirror=0");
    line("Trico=0");
    line("[STYLES]");
    line("STYLE.Count=0");
    return bytes;
}

} // namespace

class MainFormTest : public QObject {
    Q_OBJECT

private slots:

    void firstStartShowsTheDefaultsAndWritesTheTableAtClose();
    void everyWayOfEndingSavesTheSame_data();
    void everyWayOfEndingSavesTheSame();
    void theWindowKeepsItsHeightAndNeverGetsNarrower();
    void theStoredPositionIsUsedWhenOnAScreen_data();
    void theStoredPositionIsUsedWhenOnAScreen();
    void notesStayThroughAHover_data();
    void notesStayThroughAHover();
    void hintsGoToTheStatusBar();
    void theOptionsMenuIsInOrder();

    void commandsChangeTheHtml_data();
    void commandsChangeTheHtml();
    void swappingTwiceRestoresTheColours();
    void theGradientButtonsShareTheirCustomColours();
    void enterRefreshesButTypingDoesNot();
    void aCharacterShiftJisCannotHoldIsWrittenAsAReferenceAndReported();
    void theSizeListSetsThePreviewFontFromTheBaseSize();
    void theBaseFontSizeDialog_data();
    void theBaseFontSizeDialog();
    void drawingSizeStaysWithinItsLimits_data();
    void drawingSizeStaysWithinItsLimits();

    void aBadColourTakesItsDefaultAndIsNamed();
    void aBadStyleListIsNotWrittenBackEmpty();
    void anUnwritableSettingsFileIsReportedAndTheWindowStillCloses();
    void titleMessagesLastUntilTheTimerTicks();
    void f1AsksForTheHelpTopic();
    void terminateSignalsReachTheWindow();
    void extremeStoredNumbersAreSurvived_data();
    void extremeStoredNumbersAreSurvived();
    void terminationEndsTheStartupWarnings_data();
    void terminationEndsTheStartupWarnings();
};

void MainFormTest::firstStartShowsTheDefaultsAndWritesTheTableAtClose() {
    TRig rig;
    TForm1& form = rig.OpenShown();
    QCOMPARE(form.objectName(), QStringLiteral("Form1"));
    QCOMPARE(form.windowTitle(), QStringLiteral("Tintrel 1.31"));
    QCOMPARE(form.EdText->text(), QStringLiteral("Tintrel"));
    QCOMPARE(form.size(), QSize(393, 328));
    QCOMPARE(form.FlCl1->text(), QStringLiteral("FF0000"));
    QCOMPARE(form.FlCl2->text(), QStringLiteral("FFFF00"));
    QCOMPARE(form.FlClM->text(), QStringLiteral("FFFFFF"));
    QVERIFY(!form.ClBtnM->isEnabled());
    QVERIFY(!form.FlClM->isEnabled());
    QCOMPARE(form.CbStyle->count(), 0);
    QCOMPARE(form.BaseFontSize(), 11);
    QVERIFY(form.CbOpt1->isChecked() && form.CbOpt9->isChecked());
    QVERIFY(!form.CbOpt3->isChecked() && !form.CbOpt4->isChecked());
    QVERIFY(!rig.ReadIni().size()); // nothing is written while the user works

    const QPoint position = form.pos();
    form.close();
    QCOMPARE(rig.ReadIni(), ExpectedFirstRun(position.x(), position.y()));
    QVERIFY(rig.dialogs.Messages.isEmpty());
}

void MainFormTest::everyWayOfEndingSavesTheSame_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("close box") << "close";
    QTest::newRow("Esc in the text field") << "esc";
    QTest::newRow("terminate signal") << "signal";
    QTest::newRow("session end") << "session";
}

void MainFormTest::everyWayOfEndingSavesTheSame() {
    QFETCH(QString, how);
    TRig rig;
    TForm1& form = rig.OpenShown();
    form.CbOpt6->trigger();
    form.TbBoldClick(form.TbBold);
    form.ClBtn2->SetColor(0x00FF0000);
    if (how == QLatin1String("close")) {
        form.close();
    } else if (how == QLatin1String("esc")) {
        QTest::keyClick(form.EdText, Qt::Key_Escape);
    } else if (how == QLatin1String("signal")) {
        form.CloseFor(TCloseReason::Signal);
    } else {
        form.CloseFor(TCloseReason::SessionEnd);
    }
    if (how != QLatin1String("session")) {
        QVERIFY(!form.isVisible());
    }
    const QByteArray saved = rig.ReadIni();
    QVERIFY(saved.contains("Opt6=1\r\n"));
    QVERIFY(saved.contains("DrawFont.Style=1\r\n"));
    QVERIFY(saved.contains("FinishColor=0x00FF0000\r\n"));
    QVERIFY(saved.endsWith("[STYLES]\r\nSTYLE.Count=0\r\n"));
}

void MainFormTest::theWindowKeepsItsHeightAndNeverGetsNarrower() {
    TRig rig;
    TForm1& form = rig.OpenShown();
    form.resize(300, 500);
    QCOMPARE(form.size(), QSize(393, 328));
    form.resize(600, 200);
    QCOMPARE(form.size(), QSize(600, 328));
    // The preview and the separators widen with the window; the preview stays at the bottom.
    QCOMPARE(form.PaintBox->width(), 600);
    QCOMPARE(form.PaintBox->height(), 104);
    QCOMPARE(form.PaintBox->geometry().bottom() + 1 + form.StBar->height(), 328);
}

void MainFormTest::theStoredPositionIsUsedWhenOnAScreen_data() {
    QTest::addColumn<QPoint>("stored");
    QTest::addColumn<bool>("used");
    QTest::newRow("on the screen") << QPoint(40, 30) << true;
    QTest::newRow("far off every screen") << QPoint(30000, 30000) << false;
    QTest::newRow("partly off the screen") << QPoint(700, 500) << false;
}

void MainFormTest::theStoredPositionIsUsedWhenOnAScreen() {
    QFETCH(QPoint, stored);
    QFETCH(bool, used);
    TRig rig;
    rig.WriteIni("[Option]\r\nPosition.X=" + QByteArray::number(stored.x()) +
                 "\r\nPosition.Y=" + QByteArray::number(stored.y()) + "\r\n");
    TForm1& form = rig.Open();
    QCOMPARE(form.pos() == stored, used);
    QVERIFY(QGuiApplication::primaryScreen()->availableGeometry().contains(form.frameGeometry()));
}

void MainFormTest::notesStayThroughAHover_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("note"); // empty: none shown
    QTest::newRow("one reference") << "あ😀"
                                   << "文字参照 1";
    QTest::newRow("two references") << "😀x👍"
                                    << "文字参照 2";
    QTest::newRow("one character") << "A"
                                   << "グラデーションは2文字から";
    QTest::newRow("one emoji") << "😀"
                               << "文字参照 1　グラデーションは2文字から";
    QTest::newRow("nothing to say") << "AB"
                                    << "";
}

void MainFormTest::notesStayThroughAHover() {
    QFETCH(QString, text);
    QFETCH(QString, note);
    TRig rig;
    TForm1& form = rig.OpenShown();
    form.EdText->setText(text);
    form.Refresh();
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(form.EdText, &enter);
    QCOMPARE(form.StBar->currentMessage(), QStringLiteral("リターンキーでプレビューを更新します"));
    QCOMPARE(form.StNote->isVisible() ? form.StNote->text() : QString(), note);
    // Beside the hint and within the window at its start width.
    if (!note.isEmpty()) {
        QVERIFY(form.StNote->geometry().right() < form.StBar->width());
        QVERIFY(form.StNote->sizeHint().width() <= form.StNote->width());
    }
}

void MainFormTest::hintsGoToTheStatusBar() {
    TRig rig;
    TForm1& form = rig.OpenShown();
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(form.EdText, &enter);
    QCOMPARE(form.StBar->currentMessage(), QStringLiteral("リターンキーでプレビューを更新します"));
    // A control without a hint shows the window's own.
    QApplication::sendEvent(form.Panel1, &enter);
    QCOMPARE(form.StBar->currentMessage(), QStringLiteral("F1キーでヘルプを表示します"));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&form, &leave);
    QCOMPARE(form.StBar->currentMessage(), QString());
    QVERIFY(form.EdText->toolTip().isEmpty());
    // Menu items show theirs while highlighted.
    form.PmCopy->findChild<QAction*>(QStringLiteral("RGB1"))->hover();
    QCOMPARE(form.StBar->currentMessage(), QStringLiteral("rrggbb 形式でコピー"));
    // So do the hints that follow the choices: what the length count counts, and which stop
    // the middle button stands for.
    form.CbFormat(okIrc)->trigger();
    QApplication::sendEvent(form.LbBudget, &enter);
    QCOMPARE(form.StBar->currentMessage(), QStringLiteral("バイト数 / 上限"));
    TGradient stops;
    stops.Stops = {{0x0000FF, -1}, {0x00FF00, -1}, {0xFF0000, -1}};
    form.SetColourChoice(stops);
    QApplication::sendEvent(form.ClBtnM, &enter);
    QCOMPARE(form.StBar->currentMessage(), QStringLiteral("中間色（3色の真ん中）"));
}

void MainFormTest::theOptionsMenuIsInOrder() {
    TRig rig;
    TForm1& form = rig.Open();
    QStringList names;
    for (const QAction* item : form.PmOpt->actions()) {
        names << (item->isSeparator() ? QStringLiteral("-") : item->objectName());
    }
    // The design's items, with the output kinds' radio group (the paste targets in a submenu),
    // the picture command and the formatted copy, and the colour choices, between the tag switches
    // and the rest.
    QCOMPARE(names, QStringList({"CbOpt3",
                                 "CbOpt7",
                                 "CbOpt6",
                                 "CbOpt8",
                                 "CbOpt9",
                                 "-",
                                 "CbFormatFont",
                                 "CbFormatCss",
                                 "CbFormatBbcode",
                                 "PmTargets",
                                 "-",
                                 "PmPicture",
                                 "CbOptFormatted",
                                 "-",
                                 "PmSpace",
                                 "PmStops",
                                 "CbRainbow",
                                 "PmPhase",
                                 "PmPresets",
                                 "CbContrast",
                                 "PmFixContrast",
                                 "-",
                                 "CbOpt4",
                                 "CbOpt5",
                                 "CbOpt1",
                                 "CbOptFontSize",
                                 "-",
                                 "PmAbout"}));
    QCOMPARE(form.CbOptFontSize->text(), QStringLiteral("ベースフォントサイズ 11pt"));
}

void MainFormTest::commandsChangeTheHtml_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QByteArray>("written");
    const QByteArray plain = "<FONT COLOR=\"#FF0000\">A</FONT><FONT COLOR=\"#FFFF00\">B</FONT>";
    QTest::newRow("nothing") << ""
                             << "\r\n" + plain + "\r\n\r\n";
    QTest::newRow("bold") << "bold"
                          << "<B>\r\n" + plain + "\r\n</B>\r\n";
    QTest::newRow("bold twice") << "bold bold"
                                << "\r\n" + plain + "\r\n\r\n";
    QTest::newRow("italic and strike") << "italic strike"
                                       << "<STRIKE><I>\r\n" + plain + "\r\n</I></STRIKE>\r\n";
    QTest::newRow("lower case")
        << "opt9"
        << QByteArray("\r\n<font color=\"#FF0000\">A</font><font color=\"#FFFF00\">B</font>\r\n\r\n");
    QTest::newRow("swap")
        << "swap"
        << QByteArray("\r\n<FONT COLOR=\"#FFFF00\">A</FONT><FONT COLOR=\"#FF0000\">B</FONT>\r\n\r\n");
    QTest::newRow("three colours ABC")
        << "tri ABC"
        << QByteArray("\r\n<FONT COLOR=\"#FF0000\">A</FONT><FONT COLOR=\"#FFFFFF\">B</FONT>"
                      "<FONT COLOR=\"#FFFF00\">C</FONT>\r\n\r\n");
    QTest::newRow("mirror ABC") << "mirror ABC"
                                << QByteArray(
                                       "\r\n<FONT COLOR=\"#FF0000\">A</FONT><FONT COLOR=\"#FFFF00\">B</FONT>"
                                       "<FONT COLOR=\"#FF0000\">C</FONT>\r\n\r\n");
    QTest::newRow("size +2") << "size2"
                             << "<FONT SIZE=\"+2\">\r\n" + plain + "\r\n</FONT>\r\n";
    QTest::newRow("one character") << "A" << QByteArray();
}

void MainFormTest::commandsChangeTheHtml() {
    QFETCH(QString, command);
    QFETCH(QByteArray, written);
    TRig rig;
    TForm1& form = rig.OpenShown();
    form.EdText->setText(QStringLiteral("AB"));
    for (const QString& word : command.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (word == QLatin1String("bold")) {
            form.TbBoldClick(form.TbBold);
        } else if (word == QLatin1String("italic")) {
            form.TbBoldClick(form.TbItalic);
        } else if (word == QLatin1String("strike")) {
            form.TbBoldClick(form.TbStrike);
        } else if (word == QLatin1String("opt9")) {
            form.CbOpt9->trigger();
        } else if (word == QLatin1String("swap")) {
            form.FlInvClick();
        } else if (word == QLatin1String("tri")) {
            form.TbTriCoClick();
            QVERIFY(form.ClBtnM->isEnabled());
        } else if (word == QLatin1String("mirror")) {
            form.TbMirrorClick();
        } else if (word == QLatin1String("size2")) {
            form.CbSize->setCurrentIndex(2);
            form.CbSizeClick();
        } else {
            form.EdText->setText(word);
        }
    }
    form.Refresh();
    QCOMPARE(QByteArray::fromStdString(form.HtmlText().Written()), written);
}

void MainFormTest::swappingTwiceRestoresTheColours() {
    TRig rig;
    TForm1& form = rig.OpenShown();
    form.ClBtn1->SetColor(0x00123456);
    form.ClBtn2->SetColor(0x00ABCDEF);
    form.FlInvClick();
    QCOMPARE(form.FlCl1->text(), QStringLiteral("EFCDAB"));
    QCOMPARE(form.FlCl2->text(), QStringLiteral("563412"));
    form.FlInvClick();
    QCOMPARE(form.ClBtn1->Color(), TColor(0x00123456));
    QCOMPARE(form.ClBtn2->Color(), TColor(0x00ABCDEF));
    // Mirror releases three colours and disables the middle colour.
    form.TbTriCoClick();
    form.TbMirrorClick();
    QVERIFY(!form.TbTriCo->Down());
    QVERIFY(!form.ClBtnM->isEnabled());
}

void MainFormTest::theGradientButtonsShareTheirCustomColours() {
    TRig rig;
    TForm1& form = rig.OpenShown();
    TColorArrayClass custom(8, 2);
    custom.SetColors(1, 1, 0x00123456);
    form.ClBtn2->SetCustomColors(custom);
    form.ClBtn2->SetColor(0x00654321);
    QVERIFY(form.ClBtn1->CustomColors().IsEqual(&custom));
    QVERIFY(form.ClBtnM->CustomColors().IsEqual(&custom));
    QVERIFY(!form.ClBtnBk->CustomColors().IsEqual(&custom));
}

void MainFormTest::enterRefreshesButTypingDoesNot() {
    TRig rig;
    TForm1& form = rig.OpenShown();
    form.EdText->setText(QStringLiteral("AB"));
    form.Refresh();
    const std::string before = form.HtmlText().Written();
    form.EdText->setFocus();
    QTest::keyClick(form.EdText, Qt::Key_C);
    QCOMPARE(form.HtmlText().Written(), before);
    QTest::keyClick(form.EdText, Qt::Key_Return);
    QVERIFY(form.HtmlText().Written().find(">c</FONT>") != std::string::npos);
    // A long pasted text is kept whole, not cut at the line edit's usual limit.
    form.EdText->setText(QString(40000, QLatin1Char('x')));
    QCOMPARE(form.EdText->text().size(), 40000);
}

void MainFormTest::aCharacterShiftJisCannotHoldIsWrittenAsAReferenceAndReported() {
    TRig rig;
    TForm1& form = rig.OpenShown();
    form.EdText->setText(QStringLiteral("あ😀"));
    form.Refresh();
    const QByteArray written = QByteArray::fromStdString(form.HtmlText().Written());
    QVERIFY(written.contains(Sjis("あ")));
    QVERIFY(written.contains("\">&#128512;</FONT>"));
    QCOMPARE(form.StBar->currentMessage(),
             QStringLiteral("Shift-JISにない1文字は文字参照（&#番号;）で書きました"));
    // An unpaired surrogate from a paste is written as the replacement character.
    form.EdText->setText(QStringLiteral("A") + QChar(char16_t(0xD83D)) + QStringLiteral("B"));
    form.Refresh();
    QVERIFY(QByteArray::fromStdString(form.HtmlText().Written()).contains("\">&#65533;</FONT>"));
    // Nothing to tell, nothing said.
    form.EdText->setText(QStringLiteral("AB"));
    form.Refresh();
    QCOMPARE(form.StBar->currentMessage(), QString());
}

void MainFormTest::theSizeListSetsThePreviewFontFromTheBaseSize() {
    TRig rig;
    TForm1& form = rig.OpenShown();
    QCOMPARE(form.PreviewFont().Points, 9); // the stored size until the first size command
    for (int index = 0; index <= 4; ++index) {
        form.CbSize->setCurrentIndex(index);
        form.CbSizeClick();
        QCOMPARE(form.PreviewFont().Points, 11 + 4 * index);
    }
}

void MainFormTest::theBaseFontSizeDialog_data() {
    QTest::addColumn<std::optional<QString>>("answer");
    QTest::addColumn<int>("base");
    QTest::newRow("a number") << std::optional<QString>(QStringLiteral("20")) << 20;
    QTest::newRow("letters give 11") << std::optional<QString>(QStringLiteral("abc")) << 11;
    QTest::newRow("zero is kept") << std::optional<QString>(QStringLiteral("0")) << 0;
    QTest::newRow("negative is kept") << std::optional<QString>(QStringLiteral("-5")) << -5;
    QTest::newRow("cancel keeps the size") << std::optional<QString>() << 14;
}

void MainFormTest::theBaseFontSizeDialog() {
    QFETCH(std::optional<QString>, answer);
    QFETCH(int, base);
    TRig rig;
    rig.WriteIni("[Option]\r\nOpt2-1=14\r\n");
    TForm1& form = rig.OpenShown();
    rig.dialogs.InputAnswers.push_back(answer);
    form.CbOptFontSizeClick();
    QCOMPARE(rig.dialogs.Inputs.value(0),
             QStringLiteral("ベースフォントサイズ|フォントサイズを入力して下さい|14"));
    QCOMPARE(form.BaseFontSize(), base);
    QCOMPARE(form.CbOptFontSize->text(), QStringLiteral("ベースフォントサイズ %1pt").arg(base));
    QCOMPARE(form.PreviewFont().Points, ClampPreviewPoints(base)); // shown as typed, drawn within range
}

void MainFormTest::drawingSizeStaysWithinItsLimits_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("smartPreview");
    QTest::addColumn<int>("drawn");
    QTest::newRow("negative base") << QStringLiteral("-40") << QStringLiteral("AB") << true
                                   << kSmallestPreviewPoints;
    QTest::newRow("huge base") << QStringLiteral("2147483647") << QStringLiteral("AB") << false
                               << kLargestPreviewPoints;
    QTest::newRow("long text stops shrinking")
        << QStringLiteral("11") << QString(3000, QLatin1Char('W')) << true << kSmallestPreviewPoints;
}

void MainFormTest::drawingSizeStaysWithinItsLimits() {
    QFETCH(QString, answer);
    QFETCH(QString, text);
    QFETCH(bool, smartPreview);
    QFETCH(int, drawn);
    TRig rig;
    TForm1& form = rig.OpenShown();
    if (!smartPreview) {
        form.CbOpt4->trigger();
    }
    form.EdText->setText(text);
    rig.dialogs.InputAnswers.push_back(answer);
    form.CbOptFontSizeClick();
    QCOMPARE(form.LastDrawingSize(), drawn);
    QCOMPARE(form.CbOptFontSize->text(), QStringLiteral("ベースフォントサイズ %1pt").arg(answer));
}

void MainFormTest::aBadColourTakesItsDefaultAndIsNamed() {
    TRig rig;
    rig.WriteIni("[@@Prev@@]\r\nStartColor=0xZZ\r\nFinishColor=0x00FF0000\r\nHead=1\r\n");
    TForm1& form = rig.OpenShown();
    QCOMPARE(form.FlCl1->text(), QStringLiteral("FF0000")); // the default start colour
    QCOMPARE(form.FlCl2->text(), QStringLiteral("0000FF")); // the rest of the record loads
    QVERIFY(form.CbHead->isChecked());
    QTRY_COMPARE(rig.dialogs.Messages.size(), 1);
    const QString message = rig.dialogs.Messages.first();
    QVERIFY(message.contains(QStringLiteral("@@Prev@@")));
    QVERIFY(message.contains(QStringLiteral("StartColor")));
    QVERIFY(message.contains(QStringLiteral("0xZZ")));
}

void MainFormTest::aBadStyleListIsNotWrittenBackEmpty() {
    TRig rig;
    const QByteArray styles = "[STYLES]\r\nSTYLE.Count=-3\r\nSTYLE.0=Kept\r\n";
    rig.WriteIni(styles);
    TForm1& form = rig.OpenShown();
    // The count is repaired from the entries that are there, and the repair is written at close.
    QCOMPARE(form.CbStyle->count(), 1);
    QCOMPARE(form.CbStyle->itemText(0), QStringLiteral("Kept"));
    form.close();
    QVERIFY(rig.ReadIni().startsWith("[STYLES]\r\nSTYLE.Count=1\r\nSTYLE.0=Kept\r\n"));
    QTRY_VERIFY(!rig.dialogs.Messages.isEmpty());
}

void MainFormTest::anUnwritableSettingsFileIsReportedAndTheWindowStillCloses() {
    TRig rig;
    TForm1& form = rig.OpenShown();
    QVERIFY(QDir(rig.dir.path()).mkdir(QStringLiteral("Tintrel.ini"))); // a folder in the file's place
    form.close();
    QVERIFY(!form.isVisible());
    QCOMPARE(rig.dialogs.Messages.size(), 1);
    QVERIFY(rig.dialogs.Messages.first().contains(rig.Ini()));
}

void MainFormTest::titleMessagesLastUntilTheTimerTicks() {
    TRig rig;
    TForm1& form = rig.OpenShown();
    form.ShowTitleMessage(QStringLiteral("HTMLをコピーしました"));
    QCOMPARE(form.windowTitle(), QStringLiteral("HTMLをコピーしました"));
    QVERIFY(form.Timer1->isActive());
    QCOMPARE(form.Timer1->interval(), 1000);
    form.Timer1Timer();
    QCOMPARE(form.windowTitle(), QStringLiteral("Tintrel 1.31"));
    QVERIFY(!form.Timer1->isActive());
}

void MainFormTest::f1AsksForTheHelpTopic() {
    TRig rig;
    TForm1& form = rig.OpenShown();
    QTest::keyClick(form.EdText, Qt::Key_F1);
    QCOMPARE(rig.launcher.HelpTopics, QStringList{QStringLiteral("HID00000001")});
    rig.launcher.HelpAvailable = false;
    QTest::keyClick(form.EdText, Qt::Key_F1);
    QVERIFY(form.StBar->currentMessage().contains(QStringLiteral("tintrel.html")));
}

void MainFormTest::terminateSignalsReachTheWindow() {
    TRig rig;
    TForm1& form = rig.OpenShown();
    TTerminationSignals watcher;
    QObject::connect(&watcher, &TTerminationSignals::terminationRequested, &form,
                     [&form](int) { form.CloseFor(TCloseReason::Signal); });
    form.CbOpt3->trigger();
    std::raise(SIGTERM);
    QTRY_VERIFY(!form.isVisible());
    QVERIFY(rig.ReadIni().contains("Opt3=1\r\n"));
}

void MainFormTest::extremeStoredNumbersAreSurvived_data() {
    QTest::addColumn<QByteArray>("ini");
    const QByteArray big = "2147483647";
    const QByteArray small = "-2147483648";
    QTest::newRow("position at the largest numbers")
        << "[Option]\r\nPosition.X=" + big + "\r\nPosition.Y=" + big + "\r\n";
    QTest::newRow("position at the smallest numbers")
        << "[Option]\r\nPosition.X=" + small + "\r\nPosition.Y=" + small + "\r\n";
    QTest::newRow("base font size") << "[Option]\r\nOpt2-1=" + big + "\r\n[@@Prev@@]\r\nSizeIndex=4\r\n";
    QTest::newRow("negative base font size")
        << "[Option]\r\nOpt2-1=" + small + "\r\n[@@Prev@@]\r\nSizeIndex=4\r\n";
    QTest::newRow("font size") << "[@@Prev@@]\r\nDrawFont.Size=" + big + "\r\n";
    QTest::newRow("negative font size") << "[@@Prev@@]\r\nDrawFont.Size=" + small + "\r\n";
    QTest::newRow("style bits") << "[@@Prev@@]\r\nDrawFont.Style=" + small + "\r\n";
    QTest::newRow("size index") << "[@@Prev@@]\r\nSizeIndex=" + big + "\r\n";
    QTest::newRow("negative size index") << "[@@Prev@@]\r\nSizeIndex=" + small + "\r\n";
    QTest::newRow("system colours beyond the table") << QByteArray(
        "[@@Prev@@]\r\nStartColor=0x80FFFFFF\r\nBGColor=0x8000FFFF\r\nDrawFont.Color=0xFFFFFFFF\r\n");
}

void MainFormTest::extremeStoredNumbersAreSurvived() {
    // Under the sanitizers an overflow anywhere in starting, drawing, the commands or closing
    // ends the test.
    QFETCH(QByteArray, ini);
    TRig rig;
    rig.WriteIni(ini);
    TForm1& form = rig.OpenShown();
    QVERIFY(form.isVisible());
    QVERIFY(QGuiApplication::screenAt(form.geometry().center()) != nullptr);
    form.PaintBox->grab();
    form.CbSizeClick();
    form.TbBoldClick(form.TbBold);
    form.FlInvClick();
    form.TbTriCoClick();
    form.PaintBox->grab();
    form.close();
    QVERIFY(rig.ReadIni().contains("[@@Prev@@]\r\n"));
}

namespace {

// Counts the message boxes the program opens and answers each, the first one perhaps with a
// terminate signal instead.
class TBoxWatcher final : public QObject {
public:
    explicit TBoxWatcher(bool signalAtTheFirst) : signalAtTheFirst_(signalAtTheFirst) {
        qApp->installEventFilter(this);
    }
    ~TBoxWatcher() override { qApp->removeEventFilter(this); }
    TBoxWatcher(const TBoxWatcher&) = delete;
    TBoxWatcher& operator=(const TBoxWatcher&) = delete;

    int Shown = 0;

    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* box = qobject_cast<QMessageBox*>(watched);
        if (box != nullptr && event->type() == QEvent::Show) {
            ++Shown;
            if (Shown == 1 && signalAtTheFirst_) {
                QTimer::singleShot(0, [] { std::raise(SIGTERM); });
            } else {
                QTimer::singleShot(0, box, &QWidget::close); // so a wrong box cannot hang the test
            }
        }
        return false;
    }

private:
    bool signalAtTheFirst_;
};

} // namespace

void MainFormTest::terminationEndsTheStartupWarnings_data() {
    QTest::addColumn<bool>("whileTheFirstIsOpen");
    QTest::newRow("signal while the first warning is open") << true;
    QTest::newRow("signal before the warnings show") << false;
}

void MainFormTest::terminationEndsTheStartupWarnings() {
    // Two start-up warnings in the desktop's own boxes, which wait for an answer. A terminate
    // signal ends them: the state is saved, and no further box opens on the closed window.
    QFETCH(bool, whileTheFirstIsOpen);
    TRig rig;
    rig.WriteIni(
        "[@@Prev@@]\r\nStartColor=0xZZ\r\n[STYLES]\r\nSTYLE.Count=-1\r\nSTYLE.0=A\r\n[A]\r\nHead=1\r\n");
    TServices services = rig.Services();
    services.Dialogs = DesktopServices().Dialogs;
    TForm1 form(services);
    TTerminationSignals watcher;
    QObject::connect(&watcher, &TTerminationSignals::terminationRequested, &form,
                     [&form](int) { form.CloseFor(TCloseReason::Signal); });
    TBoxWatcher boxes(whileTheFirstIsOpen);
    form.show();
    if (!whileTheFirstIsOpen) {
        form.CloseFor(TCloseReason::Signal);
    }
    bool settled = false;
    QTimer::singleShot(0, [&settled] { settled = true; });
    QTRY_VERIFY(settled && !form.isVisible());
    QCOMPARE(boxes.Shown, whileTheFirstIsOpen ? 1 : 0);
    QVERIFY(rig.ReadIni().contains("[Option]\r\n"));
}

QTEST_MAIN(MainFormTest)
#include "MainFormTest.moc"
