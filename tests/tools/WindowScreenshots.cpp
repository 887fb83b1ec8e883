// Pictures of the main window on a light and on a dark desktop scheme, for looking at by eye:
//   window_screenshots OUTPUT_FOLDER
// writes light.png and dark.png (TbItalic has the keyboard focus, TbBold and TbMirror are
// latched), and stops-light.png, phase-light.png and their dark ones (the stops editor with a
// stop at a given position, the rainbow's start). Built with the tests, never run by ctest.
#include "colorpicker/ColorDropButton.h"
#include "controls/TransBtn.h"
#include "platform/FontSubstitutes.h"
#include "platform/PhaseDialog.h"
#include "platform/StopsEditor.h"
#include "support/DarkPalette.h"
#include "support/FormRig.h"
#include "support/ScriptedColorDialogService.h"
#include "window/UiTranslators.h"
#include "window/mainform.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QtTest>

#include <cstdio>
#include <utility>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fputs("usage: window_screenshots OUTPUT_FOLDER\n", stderr);
        return 2;
    }
    InstallWindowsFontSubstitutes();
    const QDir output(QString::fromLocal8Bit(argv[1]));
    // A second argument "en": the window in English.
    const TUiTranslators translators(argc > 2 && QByteArray(argv[2]) == "en" ? TUiLanguage::English
                                                                             : TUiLanguage::Japanese);

    for (const bool dark : {false, true}) {
        QApplication::setPalette(dark ? DarkTestPalette() : LightTestPalette());
        TFormRig rig;
        TForm1& form = rig.Create();
        form.show();
        form.activateWindow();
        (void)QTest::qWaitForWindowActive(&form);
        form.TbBold->ActivateFromKeyboard();
        form.TbMirror->ActivateFromKeyboard();
        form.TbItalic->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        const QString file = output.filePath(dark ? QStringLiteral("dark.png") : QStringLiteral("light.png"));
        if (!form.grab().save(file)) {
            std::fprintf(stderr, "could not write %s\n", qPrintable(file));
            return 1;
        }
        TScriptedColorDialogService colorDialog;
        TStopsEditor stops({{0x7A245B, -1}, {0x5A40E0, 0.3}, {0x428CFF, -1}, {0x66D1FF, -1}}, colorDialog,
                           &form);
        stops.List->setCurrentRow(1);
        TPhaseDialog phase(120, &form);
        for (const auto& [dialog, name] :
             {std::pair<QDialog*, const char*>{&stops, "stops"}, {&phase, "phase"}}) {
            dialog->show();
            QApplication::processEvents();
            const QString picture = output.filePath(
                QStringLiteral("%1-%2.png").arg(QLatin1String(name), dark ? "dark" : "light"));
            if (!dialog->grab().save(picture)) {
                std::fprintf(stderr, "could not write %s\n", qPrintable(picture));
                return 1;
            }
            dialog->hide();
        }
        // The options menu with its access keys, and the status bar after Fix contrast with
        // yellow on white: the result in words.
        form.PmOpt->popup(form.mapToGlobal(QPoint(0, 0)));
        QApplication::processEvents();
        (void)form.PmOpt->grab().save(output.filePath(dark ? "menu-dark.png" : "menu-light.png"));
        form.PmOpt->hide();
        form.EdText->setText(QStringLiteral("Gradient text"));
        form.ClBtnBk->SetColor(0xFFFFFF);
        form.ClBtn1->SetColor(0x00FFFF);
        form.ClBtn2->SetColor(0xFF8000);
        form.PmFixContrast->trigger();
        QApplication::processEvents();
        (void)form.grab().save(output.filePath(dark ? "fixed-dark.png" : "fixed-light.png"));
        // The preview of the first target that shows a palette: its few colours.
        for (const TOutputKindRow& kind : OutputKinds()) {
            if (kind.Shown != nullptr && form.CbFormat(kind.Kind) != nullptr) {
                form.CbFormat(kind.Kind)->trigger();
                QApplication::processEvents();
                (void)form.grab().save(output.filePath(dark ? "palette-dark.png" : "palette-light.png"));
                break;
            }
        }
        form.hide();
    }
    return 0;
}
