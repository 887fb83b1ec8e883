// The window's choices beside the design: the colour space, presets with stops, the rainbow,
// the stops editor and the contrast note with its fix.
#include "support/FormRig.h"
#include "support/ScriptedColorDialogService.h"

#include "colorpicker/ColorDropButton.h"
#include "engine/ColorStops.h"
#include "engine/Contrast.h"
#include "engine/TextUnits.h"
#include "platform/StopsEditor.h"
#include "window/mainform.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QSpinBox>
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

// A colour as TColor holds it (blue in the high byte) in the order a QRgb keeps.
unsigned BgrToRgb(TColor color) {
    return ((color & 0xFFU) << 16) | (color & 0xFF00U) | ((color >> 16) & 0xFFU);
}

} // namespace

class MainFormColourTest : public QObject {
    Q_OBJECT

private slots:
    void theSpaceChangesTheMiddleAndIsKeptOnlyWhenChosen();
    void presetsApplyStopsThatTheButtonsShow();
    void contrastNoteAndFix();
    void stopsEditorKeepsTwoToSixteen();
    void stopsEditorAddsTheColourHalfway();
    void stopsEditorSetsPositionsThatNeverFall();
    void phaseIsChosenWhileThePreviewFollows();
    void stopsEditorAnswersReachTheColours();
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
    // Said in words, each colour before and after; a hover and its end leave it standing.
    const QString fixed = form.StBar->currentMessage();
    QVERIFY2(fixed.contains(QStringLiteral("2色を暗くして")) && fixed.contains(QStringLiteral("#FFFF00→#")) &&
                 fixed.contains(QStringLiteral("#FFFFFF→#")),
             qPrintable(fixed));
    QEvent enter(QEvent::Enter);
    QEvent leave(QEvent::Leave);
    QCOMPARE(form.StBar->toolTip(), fixed); // wider than the bar: whole under the pointer
    QApplication::sendEvent(form.CbSize, &enter);
    QVERIFY(form.StBar->currentMessage() != fixed);
    QCOMPARE(form.StBar->toolTip(), QString()); // a hint that fits
    QApplication::sendEvent(form.CbSize, &leave);
    QCOMPARE(form.StBar->currentMessage(), fixed);
    form.repaint(); // a repaint is no new action
    QCOMPARE(form.StBar->currentMessage(), fixed);
    form.EdText->setText(QStringLiteral("Hello!")); // another output: the result gives way
    form.Refresh();
    QVERIFY(!form.StBar->currentMessage().contains(QStringLiteral("暗くして")));
    const TRefreshInput input = form.CurrentRefreshInput();
    QVERIFY(CheckContrast(input.Gradient, 5, clWhite, {4.5, 4.5}).Passes());
    // Asked again, it has nothing to fix and says so, the rainbow's too: no colour moves.
    for (const bool rainbow : {false, true}) {
        if (rainbow) {
            Item(form, "CbRainbow")->trigger();
        }
        form.ClBtnBk->SetColor(0x000000);
        form.ClBtn1->SetColor(0xFFFFFF);
        form.ClBtn2->SetColor(0xE0E0E0);
        const TGradient before = form.CurrentRefreshInput().Gradient;
        Item(form, "PmFixContrast")->trigger();
        QVERIFY2(form.StBar->currentMessage().contains(QStringLiteral("色は変えていません")),
                 qPrintable(form.StBar->currentMessage()));
        QCOMPARE(form.CurrentRefreshInput().Gradient.Start.Hex, before.Start.Hex);
    }
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

// Each row: the stops, the one selected, and the stop Add puts after it (or before the last):
// the colour halfway to its neighbour, at the place halfway when both places are given.
void MainFormColourTest::stopsEditorAddsTheColourHalfway() {
    TScriptedColorDialogService colorDialog;
    const struct {
        std::vector<TColorStop> stops;
        int selected;
        int added;
        TColorStop expected;
    } rows[] = {
        {{{0x0000FF, -1}, {0xFF0000, -1}}, 0, 1, {0x800080, -1}},
        {{{0x0000FF, -1}, {0xFF0000, -1}}, 1, 1, {0x800080, -1}},
        {{{0x000000, 0.2}, {0xFFFFFF, 0.6}, {0x00FF00, -1}}, 0, 1, {0x808080, 0.4}},
        {{{0x000000, 0.2}, {0xFFFFFF, -1}, {0x00FF00, -1}}, 1, 2, {0x80FF80, -1}},
    };
    for (const auto& row : rows) {
        TStopsEditor editor(row.stops, colorDialog);
        editor.List->setCurrentRow(row.selected);
        editor.AddStop();
        QCOMPARE(editor.Stops().size(), row.stops.size() + 1);
        QCOMPARE(editor.List->currentRow(), row.added);
        const TColorStop& added = editor.Stops()[static_cast<std::size_t>(row.added)];
        QCOMPARE(QString::number(added.Color, 16), QString::number(row.expected.Color, 16));
        QCOMPARE(added.Position, row.expected.Position);
        // The strip shows the stops: the first colour at its left end, the last at its right.
        const QImage strip = editor.Strip->pixmap().toImage();
        QCOMPARE(strip.pixelColor(0, 0).rgb() & 0xFFFFFF, BgrToRgb(editor.Stops().front().Color));
        QCOMPARE(strip.pixelColor(strip.width() - 1, 0).rgb() & 0xFFFFFF,
                 BgrToRgb(editor.Stops().back().Color));
    }
}

// Each row: the stop selected, the percent typed, the positions after (-1: spread evenly). A
// position is held between the given ones around it, so the stops always read back.
void MainFormColourTest::stopsEditorSetsPositionsThatNeverFall() {
    TScriptedColorDialogService colorDialog;
    TStopsEditor editor({{0x0000FF, -1}, {0x00FF00, -1}, {0xFF0000, -1}, {0xFFFFFF, -1}}, colorDialog);
    const struct {
        int stop;
        double percent;
        std::vector<double> after;
    } steps[] = {
        {1, 40, {-1, 0.4, -1, -1}},      {2, 25, {-1, 0.4, 0.4, -1}},    {3, 90.25, {-1, 0.4, 0.4, 0.903}},
        {0, 60, {0.4, 0.4, 0.4, 0.903}}, {1, -1, {0.4, -1, 0.4, 0.903}}, {1, 50, {0.4, 0.4, 0.4, 0.903}},
    };
    for (const auto& step : steps) {
        editor.List->setCurrentRow(step.stop);
        editor.SpPosition->setValue(step.percent);
        for (std::size_t k = 0; k < step.after.size(); ++k) {
            QCOMPARE(editor.Stops()[k].Position, step.after[k]);
        }
        const std::optional<std::vector<TColorStop>> read =
            ColorStopsFromText(ColorStopsText(editor.Stops()));
        QVERIFY(read.has_value());
        QCOMPARE(read->size(), editor.Stops().size());
    }
    // The selected stop's position is shown, the even spread as "auto"; the label leads to it.
    editor.List->setCurrentRow(3);
    QCOMPARE(editor.SpPosition->value(), 90.3);
    editor.List->setCurrentRow(1);
    QVERIFY(editor.SpPosition->text() != editor.SpPosition->specialValueText());
    editor.List->setCurrentRow(0);
    editor.SpPosition->setValue(-1);
    QCOMPARE(editor.SpPosition->text(), editor.SpPosition->specialValueText());
    QVERIFY(!editor.SpPosition->accessibleName().isEmpty());
    bool labelled = false;
    for (const QLabel* label : editor.findChildren<QLabel*>()) {
        labelled = labelled || label->buddy() == editor.SpPosition;
    }
    QVERIFY(labelled);
}

void MainFormColourTest::phaseIsChosenWhileThePreviewFollows() {
    TFormRig rig;
    TForm1& form = rig.Create();
    form.show();
    form.EdText->setText(QStringLiteral("ABCDEFGH"));
    form.Refresh();
    const QString design = Html(form);
    QString whileOpen;
    rig.dialogs.WhilePhaseOpen = [&] { whileOpen = Html(form); };
    const auto answer = [&](int degrees, bool accept) {
        rig.dialogs.PhaseTries = {degrees};
        rig.dialogs.PhaseAnswers.push_back(accept ? std::optional<int>(degrees) : std::nullopt);
        Item(form, "PmPhase")->trigger();
    };
    // Cancel puts the design back; OK keeps the rainbow from the hue chosen.
    answer(200, false);
    QVERIFY(whileOpen != design);
    QCOMPARE(Html(form), design);
    QVERIFY(!Item(form, "CbRainbow")->isChecked());
    answer(120, true);
    QCOMPARE(Html(form), whileOpen);
    QVERIFY(Item(form, "CbRainbow")->isChecked());
    QCOMPARE(form.ColourChoice().Phase, 120.0);
    QCOMPARE(rig.dialogs.PhaseQuestions, (QList<int>{0, 0}));
    TGradient rainbow;
    rainbow.Rainbow = true;
    rainbow.Phase = 120;
    QVERIFY(
        Html(form).contains(QStringLiteral("<FONT COLOR=\"#%1\">A</FONT>")
                                .arg(QString::fromStdString(SplitColor(GradientColor(rainbow, 1, 8)).Hex))));
    QVERIFY(form.SaveState(TCloseReason::User));
    const QByteArray ini = ReadFile(rig.Ini());
    QVERIFY(ini.contains("Rainbow=1") || ini.contains("Rainbow=true"));
    QVERIFY(ini.contains("Phase=120"));
    TFormRig again;
    QFile::remove(again.Ini());
    QVERIFY(QFile::copy(rig.Ini(), again.Ini()));
    again.Create();
    QCOMPARE(again.form->ColourChoice().Phase, 120.0);

    // A style file may hold a start below zero: the dialog is asked from there (and opens at the
    // same hue, once round).
    TFormRig below;
    QFile::remove(below.Ini());
    QFile file(below.Ini());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(ini).replace("Phase=120", "Phase=-90"));
    file.close();
    below.Create();
    Item(*below.form, "PmPhase")->trigger();
    QCOMPARE(below.dialogs.PhaseQuestions, (QList<int>{-90}));
}

// The editor starts from the buttons' colours; two stops without positions are the design's own
// start and finish, more become the stops, and Cancel changes nothing.
void MainFormColourTest::stopsEditorAnswersReachTheColours() {
    TFormRig rig;
    TForm1& form = rig.Create();
    form.show();
    form.ClBtn1->SetColor(0x0000FF);
    form.ClBtn2->SetColor(0xFF0000);
    const std::vector<TColorStop> three{{0x00FF00, -1}, {0x123456, 0.25}, {0xABCDEF, -1}};
    rig.dialogs.StopsAnswers = {std::nullopt, three, std::vector<TColorStop>{{0x111111, -1}, {0x222222, -1}}};
    Item(form, "PmStops")->trigger();
    QCOMPARE(rig.dialogs.StopsQuestions.size(), 1);
    QCOMPARE(rig.dialogs.StopsQuestions[0].size(), 2u);
    QCOMPARE(rig.dialogs.StopsQuestions[0].front().Color, 0x0000FFu);
    QCOMPARE(rig.dialogs.StopsQuestions[0].back().Color, 0xFF0000u);
    QVERIFY(form.ColourChoice().Stops.empty());
    Item(form, "PmStops")->trigger();
    QCOMPARE(form.ColourChoice().Stops.size(), 3u);
    QCOMPARE(form.ColourChoice().Stops[1].Position, 0.25);
    Item(form, "PmStops")->trigger();
    QVERIFY(form.ColourChoice().Stops.empty());
    QCOMPARE(form.ClBtn1->Color(), 0x111111u);
    QCOMPARE(form.ClBtn2->Color(), 0x222222u);
}

QTEST_MAIN(MainFormColourTest)
#include "MainFormColourTest.moc"
