// The main window driven as a user drives it: real clicks and keys on the real controls, the
// options chosen from their menu, the settings file read at start and written at close.
#include "support/FormRig.h"

#include "colorpicker/ColorDropButton.h"
#include "colorpicker/ColorDropPalette.h"
#include "controls/FontCombo.h"
#include "controls/TransBtn.h"
#include "engine/CodePage.h"
#include "window/ColorLabel.h"
#include "window/PreviewBox.h"
#include "window/mainform.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QStatusBar>
#include <QtTest>

namespace {

QByteArray Sjis(const char* utf8) {
    return QByteArray::fromStdString(Utf8ToCp932(utf8).Bytes);
}

// Clicks `item` of `menu` as soon as the menu is open; it opens in an event loop of its own.
void ClickWhenOpen(QMenu* menu, QAction* item) {
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, menu, item] {
        if (QApplication::activePopupWidget() != menu) {
            return;
        }
        poll->stop();
        poll->deleteLater();
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
    });
    poll->start();
}

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
    TForm1& OpenShown() {
        Create();
        form->show();
        [[maybe_unused]] const bool exposed = QTest::qWaitForWindowExposed(form.get());
        return *form;
    }
    QByteArray Html() const { return QByteArray::fromStdString(form->HtmlText().Written()); }

    // Puts the text in the field and presses Enter, which is what refreshes.
    void Type(const QString& text) const {
        form->EdText->setFocus();
        form->EdText->setText(text);
        QTest::keyClick(form->EdText, Qt::Key_Return);
    }
    void Click(QWidget* widget, QPoint at = {}) const {
        QCursor::setPos(widget->mapToGlobal(at.isNull() ? widget->rect().center() : at));
        QTest::mouseClick(widget, Qt::LeftButton, {}, at.isNull() ? widget->rect().center() : at);
    }
    // The options menu opens under the option button; the item is clicked in it.
    void ChooseOption(QAction* item) const {
        ClickWhenOpen(form->PmOpt, item);
        Click(form->TbOption);
        QTRY_VERIFY(QApplication::activePopupWidget() == nullptr);
    }
    // A choice from a closed drop-down list with the arrow key, as a user makes it.
    void StepDown(QComboBox* box) const {
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Down);
    }
};

} // namespace

class MainFormClickTest : public QObject {
    Q_OBJECT

private slots:
    void controlsChangeTheHtml_data();
    void controlsChangeTheHtml();
    void colourButtonsChangeTheHtml();
    void choosingAStyleSetsThePreviewSizeFromTheBaseSize();
    void aFaceChosenInTheListReachesTheHtmlAndTheFile();
    void aFaceNoFontHasIsKeptButNotDrawn();
    void theStoredStateReachesTheControls();
    void closingAndReopeningKeepsTheWork();
    void thePreviewDrawsTheGradientText();
    void savingThePageIsConfirmedAndAFailedOpenIsTold();
};

void MainFormClickTest::controlsChangeTheHtml_data() {
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<QByteArray>("html"); // found in the written HTML
    const QByteArray abc =
        R"(<FONT COLOR="#FF0000">A</FONT><FONT COLOR="#FF7F00">B</FONT><FONT COLOR="#FFFF00">C</FONT>)";
    QTest::newRow("text and Enter") << QStringList{} << "\r\n" + abc + "\r\n";
    QTest::newRow("bold button") << QStringList{"TbBold"} << "<B>\r\n" + abc + "\r\n</B>";
    QTest::newRow("italic button") << QStringList{"TbItalic"} << "<I>\r\n" + abc + "\r\n</I>";
    QTest::newRow("underline button") << QStringList{"TbUnder"} << "<U>\r\n" + abc + "\r\n</U>";
    QTest::newRow("strike-out button") << QStringList{"TbStrike"} << "<STRIKE>\r\n" + abc;
    QTest::newRow("bold twice") << QStringList{"TbBold", "TbBold"} << "\r\n" + abc + "\r\n\r\n";
    QTest::newRow("swap button")
        << QStringList{"TbInv"}
        << QByteArray(
               R"(<FONT COLOR="#FFFF00">A</FONT><FONT COLOR="#FF8000">B</FONT><FONT COLOR="#FF0000">C)");
    QTest::newRow("three colours button")
        << QStringList{"TbTriCo"}
        << QByteArray(
               R"(<FONT COLOR="#FF0000">A</FONT><FONT COLOR="#FFFFFF">B</FONT><FONT COLOR="#FFFF00">C)");
    QTest::newRow("mirror button")
        << QStringList{"TbMirror"}
        << QByteArray(
               R"(<FONT COLOR="#FF0000">A</FONT><FONT COLOR="#FFFF00">B</FONT><FONT COLOR="#FF0000">C)");
    QTest::newRow("table box") << QStringList{"cbTable"}
                               << QByteArray(R"(<TABLE ALIGN="LEFT" CELLPADDING="2">)");
    QTest::newRow("size list") << QStringList{"CbSize"} << "<FONT SIZE=\"+1\">\r\n" + abc;
    QTest::newRow("first letter box")
        << QStringList{"CbSize", "CbHead"} << QByteArray(R"(<FONT SIZE="+2" COLOR="#FF0000">A</FONT>)");
    QTest::newRow("first letter box off again")
        << QStringList{"CbSize", "CbHead", "CbHead"} << "<FONT SIZE=\"+1\">\r\n" + abc;
    QTest::newRow("face option") << QStringList{"CbOpt3"}
                                 << "<FONT FACE=\"" + Sjis("ＭＳ Ｐゴシック") + "\">\r\n" + abc;
    QTest::newRow("comment option") << QStringList{"CbOpt6"} << QByteArray("<!-- Tintrel \"ABC\" -->\r\n");
    QTest::newRow("logical tags option") << QStringList{"CbOpt7", "TbBold"} << "<STRONG>\r\n" + abc;
    QTest::newRow("break in tag option")
        << QStringList{"CbOpt8"} << QByteArray("\r\n<FONT \r\nCOLOR=\"#FF0000\">A</FONT><FONT \r\n");
    QTest::newRow("lower case option")
        << QStringList{"CbOpt9"} << QByteArray(R"(<font color="#FF0000">A</font>)");
}

void MainFormClickTest::controlsChangeTheHtml() {
    QFETCH(QStringList, actions);
    QFETCH(QByteArray, html);
    TRig rig;
    TForm1& form = rig.OpenShown();
    rig.Type(QStringLiteral("ABC"));
    for (const QString& action : actions) {
        if (action == QLatin1String("CbSize")) {
            rig.StepDown(form.CbSize);
        } else if (action.startsWith(QLatin1String("CbOpt"))) {
            rig.ChooseOption(form.PmOpt->findChild<QAction*>(action) != nullptr
                                 ? form.PmOpt->findChild<QAction*>(action)
                                 : form.findChild<QAction*>(action));
        } else {
            auto* control = form.findChild<QWidget*>(action);
            QVERIFY2(control != nullptr, qPrintable(action));
            rig.Click(control, qobject_cast<QCheckBox*>(control) != nullptr ? QPoint(6, 8) : QPoint());
        }
    }
    QVERIFY2(rig.Html().contains(html), rig.Html().constData());
}

void MainFormClickTest::colourButtonsChangeTheHtml() {
    TRig rig;
    TForm1& form = rig.OpenShown();
    rig.Type(QStringLiteral("ABC"));
    // The swatch part of the finish button steps to the next colour of its palette.
    rig.Click(form.ClBtn2, {10, 12});
    QVERIFY(form.FlCl2->text() != QStringLiteral("FFFF00"));
    QVERIFY(rig.Html().contains("<FONT COLOR=\"#" + form.FlCl2->text().toLatin1() + "\">C</FONT>"));
    // The arrow part of the start button opens the palette; blue is chosen in it.
    rig.Click(form.ClBtn1, {form.ClBtn1->width() - 6, 12});
    QTRY_VERIFY(form.ClBtn1->PaletteOpen());
    TColorDropPalette* palette = form.ClBtn1->Palette();
    const QPoint blue = TColorDropPalette::CellRect({1, 4}).center() +
                        QPoint(TColorDropPalette::kFrameWidth, TColorDropPalette::kFrameWidth);
    rig.Click(palette, blue);
    QTRY_VERIFY(!form.ClBtn1->PaletteOpen());
    QCOMPARE(form.FlCl1->text(), QStringLiteral("0000FF"));
    QVERIFY(rig.Html().contains(R"(<FONT COLOR="#0000FF">A</FONT>)"));
    // The background colour shows in the table's cell.
    rig.Click(form.cbTable, {6, 8});
    rig.Click(form.ClBtnBk, {10, 12});
    QVERIFY(rig.Html().contains("BGCOLOR=\"" + form.FlClBk->text().toLatin1() + "\">"));
}

void MainFormClickTest::choosingAStyleSetsThePreviewSizeFromTheBaseSize() {
    TRig rig;
    rig.WriteIni("[Option]\r\nOpt2-1=10\r\n[STYLES]\r\nSTYLE.Count=1\r\nSTYLE.0=Big\r\n"
                 "[Big]\r\nDrawFont.Size=30\r\nSizeIndex=2\r\nHead=1\r\n");
    TForm1& form = rig.OpenShown();
    rig.StepDown(form.CbStyle);
    QCOMPARE(form.CbStyle->currentText(), QStringLiteral("Big"));
    QCOMPARE(form.CbSize->currentIndex(), 2);
    QVERIFY(form.CbHead->isChecked());
    // The stored 30 points give way to the base size and the size step: 10 + 2 x 4.
    QCOMPARE(form.PreviewFont().Points, 18);
}

void MainFormClickTest::aFaceChosenInTheListReachesTheHtmlAndTheFile() {
    TRig rig;
    TForm1& form = rig.OpenShown();
    QVERIFY(form.FCBox->count() > 1);
    rig.ChooseOption(form.CbOpt3);
    const QString before = form.FCBox->FontName();
    rig.StepDown(form.FCBox);
    const QString chosen = form.FCBox->FontName();
    QVERIFY(!chosen.isEmpty() && chosen != before);
    const QByteArray face = QByteArray::fromStdString(Utf8ToCp932(chosen.toStdString()).Bytes);
    QVERIFY(rig.Html().contains("<FONT FACE=\"" + face + "\">"));
    form.close();
    QVERIFY(rig.ReadIni().contains("DrawFont.Name=" + face + "\r\n"));
}

void MainFormClickTest::aFaceNoFontHasIsKeptButNotDrawn() {
    // A face from another desktop, and one of a megabyte from a damaged file: neither is in the
    // list, the preview draws in the default face, and both stay in the HTML and the file.
    QByteArray kana;
    for (int i = 0; i < (1 << 19); ++i) {
        kana += "\x82\xA0"; // font matching takes a minute over a name like this
    }
    const QByteArray faces[] = {"Tintrel No Such Face", kana};
    for (const QByteArray& face : faces) {
        TRig rig;
        rig.WriteIni("[Option]\r\nOpt3=1\r\n[@@Prev@@]\r\nDrawFont.Name=" + face + "\r\n");
        TForm1& form = rig.OpenShown();
        QCOMPARE(form.FCBox->FontName(), QString());
        QVERIFY(rig.Html().contains("<FONT FACE=\"" + face + "\">"));
        form.close();
        QVERIFY(rig.ReadIni().contains("DrawFont.Name=" + face + "\r\n"));
    }
}

void MainFormClickTest::theStoredStateReachesTheControls() {
    TRig rig;
    rig.WriteIni(
        "[Option]\r\nOpt1=0\r\nOpt2-1=14\r\nOpt3=1\r\nOpt4=1\r\nOpt5=1\r\nOpt6=1\r\nOpt7=1\r\nOpt8=1\r\n"
        "Opt9=0\r\n[@@Prev@@]\r\nDrawFont.Name=Courier New\r\nDrawFont.Size=12\r\nDrawFont.Style=5\r\n"
        "SizeIndex=3\r\nHead=1\r\nStartColor=0x00123456\r\nFinishColor=0x00ABCDEF\r\n"
        "MiddleColor=0x00010203\r\nBGColor=0x00C0FFEE\r\nMirror=0\r\nTrico=1\r\n");
    TForm1& form = rig.OpenShown();
    QVERIFY(!form.CbOpt1->isChecked() && !form.CbOpt9->isChecked());
    for (const QAction* item :
         {form.CbOpt3, form.CbOpt4, form.CbOpt5, form.CbOpt6, form.CbOpt7, form.CbOpt8}) {
        QVERIFY2(item->isChecked(), qPrintable(item->objectName()));
    }
    QCOMPARE(form.BaseFontSize(), 14);
    QCOMPARE(form.CbOptFontSize->text(), QStringLiteral("ベースフォントサイズ 14pt"));
    QCOMPARE(form.PreviewFont().Face, std::string("Courier New"));
    QVERIFY(form.TbBold->Down() && !form.TbItalic->Down() && form.TbUnder->Down() && !form.TbStrike->Down());
    QCOMPARE(form.CbSize->currentIndex(), 3);
    QVERIFY(form.CbHead->isChecked());
    QCOMPARE(form.FlCl1->text(), QStringLiteral("563412"));
    QCOMPARE(form.FlCl2->text(), QStringLiteral("EFCDAB"));
    QCOMPARE(form.FlClM->text(), QStringLiteral("030201"));
    QCOMPARE(form.FlClBk->text(), QStringLiteral("EEFFC0"));
    QCOMPARE(form.ClBtn1->Color(), TColor(0x00123456));
    QCOMPARE(form.ClBtnBk->Color(), TColor(0x00C0FFEE));
    QVERIFY(form.TbTriCo->Down() && !form.TbMirror->Down());
    QVERIFY(form.ClBtnM->isEnabled() && form.FlClM->isEnabled());
    // The HTML of the first refresh already follows all of it.
    QVERIFY2(rig.Html().startsWith("<!-- Tintrel \"Tintrel\" -->\r\n<u><font face=\"Courier New\">"
                                   "<font size=\"+3\"><strong>\r\n<font \r\nsize=\"+4\" color=\"#563412\">T"),
             rig.Html().constData());
}

void MainFormClickTest::closingAndReopeningKeepsTheWork() {
    TRig rig;
    QByteArray html;
    {
        TForm1& form = rig.OpenShown();
        rig.Type(QStringLiteral("グラデーション"));
        rig.Click(form.TbItalic);
        rig.Click(form.TbMirror);
        rig.StepDown(form.CbSize);
        rig.Click(form.CbHead, {6, 8});
        rig.Click(form.ClBtn2, {10, 12});
        rig.ChooseOption(form.CbOpt6);
        rig.ChooseOption(form.CbOpt9);
        html = rig.Html();
        form.EdText->setFocus();
        QTest::keyClick(form.EdText, Qt::Key_Escape);
        QVERIFY(!form.isVisible());
    }
    rig.form.reset();
    TForm1& again = rig.OpenShown();
    again.EdText->setText(QStringLiteral("グラデーション")); // the text itself is not kept
    again.Refresh();
    QCOMPARE(rig.Html(), html);
    QVERIFY(again.TbItalic->Down() && again.TbMirror->Down() && again.CbHead->isChecked());
    QVERIFY(again.CbOpt6->isChecked() && !again.CbOpt9->isChecked());
}

void MainFormClickTest::thePreviewDrawsTheGradientText() {
    TRig rig;
    TForm1& form = rig.OpenShown();
    form.ClBtnBk->SetColor(0x0000FF00); // green behind the text
    form.ClBtn2->SetColor(0x00FF0000);  // red to blue
    rig.Type(QStringLiteral("■■■■"));
    const QImage preview = form.PaintBox->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(preview.size(), QSize(form.width(), 104));
    const auto firstColumnOf = [&preview](QRgb colour) {
        for (int x = 0; x < preview.width(); ++x) {
            for (int y = 0; y < preview.height(); ++y) {
                if (preview.pixel(x, y) == colour) {
                    return x;
                }
            }
        }
        return -1;
    };
    const int red = firstColumnOf(qRgb(255, 0, 0));
    const int blue = firstColumnOf(qRgb(0, 0, 255));
    QVERIFY(red >= 0 && red < 20);
    QVERIFY(blue > red);
    QCOMPARE(preview.pixel(preview.width() - 1, preview.height() - 1), qRgb(0, 255, 0));
    QCOMPARE(preview.pixel(preview.width() - 1, 0), qRgb(0, 255, 0));
}

void MainFormClickTest::savingThePageIsConfirmedAndAFailedOpenIsTold() {
    TRig rig;
    TForm1& form = rig.OpenShown();
    rig.dialogs.FileAnswers.push_back(rig.Path(QStringLiteral("page.html")));
    rig.Click(form.TbSave);
    QCOMPARE(form.windowTitle(), QStringLiteral("HTMLを保存しました"));
    QVERIFY(QFile::exists(rig.Path(QStringLiteral("page.html"))));
    QVERIFY(rig.launcher.Launches.isEmpty());

    rig.ChooseOption(form.CbOpt5);
    rig.launcher.LaunchResult = 0; // no application for pages
    rig.dialogs.FileAnswers.push_back(rig.Path(QStringLiteral("other.html")));
    rig.Click(form.TbSave);
    QCOMPARE(rig.launcher.Launches.size(), 1);
    QCOMPARE(form.windowTitle(), QStringLiteral("HTMLを保存しました"));
    QVERIFY(form.StBar->currentMessage().contains(QStringLiteral("other.html")));
    QTRY_COMPARE_WITH_TIMEOUT(form.windowTitle(), TForm1::kTitle, 3000);
}

QTEST_MAIN(MainFormClickTest)
#include "MainFormClickTest.moc"
