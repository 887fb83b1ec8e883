// The window's choices beside the design: the colour space, presets with stops, the rainbow,
// the stops editor and the contrast note with its fix.
#include "support/FormRig.h"
#include "support/ScriptedColorDialogService.h"

#include "colorpicker/ColorDropButton.h"
#include "engine/Contrast.h"
#include "engine/TextUnits.h"
#include "window/StopsEditor.h"
#include "window/mainform.h"

#include <QAction>
#include <QActionGroup>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QStatusBar>
#include <QtTest>

namespace {

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QAction* Item(TForm1& form, const char* name) {
    return form.findChild<QAction*>(QLatin1String(name));
}

QString Html(const TForm1& form) {
    return QString::fromStdString(form.HtmlText().Written());
}

} // namespace

class MainFormColourTest : public QObject {
    Q_OBJECT

private slots:
    void theSpaceChangesTheMiddleAndIsKeptOnlyWhenChosen();
    void presetsApplyStopsThatTheButtonsShow();
    void contrastNoteAndFix();
    void stopsEditorKeepsTwoToSixteen();
};

void MainFormColourTest::theSpaceChangesTheMiddleAndIsKeptOnlyWhenChosen() {
    TFormRig rig;
    TForm1& form = rig.Create();
    form.show();
    form.EdText->setText(QStringLiteral("ABCDE"));
    const QString design = Html(form);
    QVERIFY(Item(form, "CbSpaceSrgb")->isChecked());
    QVERIFY(form.SaveState(TCloseReason::User));
    for (const char* key : {"ColorSpace=", "Stops=", "Rainbow="}) {
        QVERIFY(!ReadFile(rig.Ini()).contains(key));
    }
    Item(form, "CbSpaceOklab")->trigger();
    const QString oklab = Html(form);
    QVERIFY(oklab != design);
    QVERIFY(oklab.startsWith(QStringLiteral("\r\n<FONT COLOR=\"#FF0000\">A</FONT>")));
    QVERIFY(oklab.contains(QStringLiteral("<FONT COLOR=\"#FFFF00\">E</FONT>")));
    QVERIFY(form.SaveState(TCloseReason::User));
    QVERIFY(ReadFile(rig.Ini()).contains("ColorSpace=oklab"));

    TFormRig again;
    QFile::remove(again.Ini());
    QVERIFY(QFile::copy(rig.Ini(), again.Ini()));
    again.Create();
    QVERIFY(Item(*again.form, "CbSpaceOklab")->isChecked());
    again.form->EdText->setText(QStringLiteral("ABCDE"));
    again.form->Refresh();
    QCOMPARE(Html(*again.form), oklab);
}

void MainFormColourTest::presetsApplyStopsThatTheButtonsShow() {
    TFormRig rig;
    TForm1& form = rig.Create();
    form.show();
    form.EdText->setText(QStringLiteral("ABCDEFG"));
    form.PmPresets->actions().front()->trigger(); // sunset: 5B247A, E0405A, FF8C42, FFD166
    QCOMPARE(form.ClBtn1->Color(), 0x7A245Bu);
    QCOMPARE(form.ClBtnM->Color(), 0x428CFFu);
    QCOMPARE(form.ClBtn2->Color(), 0x66D1FFu);
    QVERIFY(form.ClBtnM->isEnabled());
    QCOMPARE(form.ColourChoice().Stops.size(), 4u);
    QVERIFY(Html(form).contains(QStringLiteral("<FONT COLOR=\"#E0405A\">C</FONT>")));
    // The finish button moves the last stop.
    form.ClBtn2->SetColor(0x000000);
    QVERIFY(Html(form).contains(QStringLiteral("<FONT COLOR=\"#000000\">G</FONT>")));
    QVERIFY(form.SaveState(TCloseReason::User));
    const QByteArray ini = ReadFile(rig.Ini());
    QVERIFY(ini.contains("Stops=5B247A,E0405A,FF8C42,000000"));
    QVERIFY(ini.contains("StartColor=0x007A245B")); // what an older copy shows
    // The rainbow preset turns the rainbow on.
    form.PmPresets->actions().back()->trigger();
    QVERIFY(Item(form, "CbRainbow")->isChecked());
    QVERIFY(form.ColourChoice().Stops.empty());
}

void MainFormColourTest::contrastNoteAndFix() {
    TFormRig rig;
    TForm1& form = rig.Create();
    form.show();
    form.ClBtnBk->SetColor(clWhite);
    form.ClBtn1->SetColor(0x00FFFF);
    form.ClBtn2->SetColor(0xFFFFFF);
    form.EdText->setText(QStringLiteral("Hello"));
    QCOMPARE(form.StBar->currentMessage(), QString()); // off until asked for
    Item(form, "CbContrast")->trigger();
    QVERIFY2(form.StBar->currentMessage().contains(QStringLiteral("5文字目「o」のコントラスト 1.00:1")),
             qPrintable(form.StBar->currentMessage()));
    Item(form, "PmFixContrast")->trigger();
    QVERIFY2(form.StBar->currentMessage().contains(QStringLiteral("明るさを変えました")),
             qPrintable(form.StBar->currentMessage()));
    const TRefreshInput input = form.CurrentRefreshInput();
    QVERIFY(CheckContrast(input.Gradient, 5, clWhite, {4.5, 4.5}).Passes());
}

void MainFormColourTest::stopsEditorKeepsTwoToSixteen() {
    TScriptedColorDialogService colorDialog;
    TStopsEditor editor({{0x0000FF, -1}, {0x00FF00, 0.5}, {0xFF0000, -1}}, colorDialog);
    editor.List->setCurrentRow(1);
    editor.MoveStop(-1);
    QCOMPARE(editor.Stops()[0].Color, 0x00FF00u);
    QCOMPARE(editor.Stops()[1].Position, 0.5); // positions stay, colours move
    colorDialog.Confirm = true;
    colorDialog.AnswerColor = 0x123456;
    editor.ChooseColor();
    QCOMPARE(editor.Stops()[0].Color, 0x123456u);
    editor.RemoveStop();
    editor.RemoveStop();
    QCOMPARE(editor.Stops().size(), 2u);
    QVERIFY(!editor.BtnRemove->isEnabled());
    for (int k = 0; k < 20; ++k) {
        editor.AddStop();
    }
    QCOMPARE(editor.Stops().size(), 16u);
    QVERIFY(!editor.BtnAdd->isEnabled());
}

QTEST_MAIN(MainFormColourTest)
#include "MainFormColourTest.moc"
