// Pictures of the main window on a light and on a dark desktop scheme, for looking at by eye:
//   window_screenshots OUTPUT_FOLDER
// writes light.png and dark.png (TbItalic has the keyboard focus, TbBold and TbMirror are
// latched). Built with the tests, never run by ctest.
#include "colorpicker/ColorDropButton.h"
#include "controls/TransBtn.h"
#include "platform/FontSubstitutes.h"
#include "platform/SystemColors.h"
#include "support/DarkPalette.h"
#include "support/MemoryUserStore.h"
#include "support/ScriptedServices.h"
#include "window/mainform.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fputs("usage: window_screenshots OUTPUT_FOLDER\n", stderr);
        return 2;
    }
    InstallPaletteSystemColors();
    InstallWindowsFontSubstitutes();
    TMemoryUserStore customColors;
    const QDir output(QString::fromLocal8Bit(argv[1]));

    for (const bool dark : {false, true}) {
        QApplication::setPalette(dark ? DarkTestPalette() : LightTestPalette());
        QTemporaryDir dir;
        TScriptedDialogs dialogs;
        TFakeClipboard clipboard;
        TRecordingLauncher launcher;
        TServices services;
        services.Dialogs = &dialogs;
        services.Clipboard = &clipboard;
        services.Launcher = &launcher;
        services.UserStore = &customColors;
        services.SettingsFile = dir.filePath(QStringLiteral("Tintrel.ini"));
        TForm1 form(services);
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
        form.hide();
    }
    return 0;
}
