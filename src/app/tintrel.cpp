// The desktop program: one main window, driven by the user alone.
#include "controls/SystemFontSource.h"
#include "launch/ExecLauncher.h"
#include "platform/FontSubstitutes.h"
#include "platform/Services.h"
#include "platform/SystemColors.h"
#include "platform/TerminationSignals.h"
#include "window/UiTranslators.h"
#include "window/mainform.h"

#include <QApplication>
#include <QSessionManager>

#include <cstdio>
#include <cstdlib>

namespace {

bool HasDisplay() {
    const auto isSet = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0';
    };
    // An explicit platform (offscreen, vnc ...) brings its own screen.
    return isSet("QT_QPA_PLATFORM") || isSet("DISPLAY") || isSet("WAYLAND_DISPLAY");
}

} // namespace

int main(int argc, char* argv[]) {
    if (!HasDisplay()) {
        std::fputs("tintrel: no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
                   "tintrel: ウィンドウを表示する画面がありません。デスクトップから起動するか、"
                   "xvfb-run tintrel のように仮想画面を使ってください。\n",
                   stderr);
        return 1;
    }
    QApplication application(argc, argv);
    // The application name is the window's class (WM_CLASS), which the desktop entry names as
    // StartupWMClass; the desktop file name ties the window to its entry on Wayland.
    QApplication::setApplicationName(QStringLiteral("Tintrel"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tintrel.Tintrel"));
    // The window and the standard dialogs speak the desktop's language: Japanese or English.
    const TUiTranslators translators(SystemUiLanguage());
    InstallPaletteSystemColors();
    InstallWindowsFontSubstitutes();

    // The desktop's own services: its dialogs, clipboard, colour dialog, user store and file
    // operations, with the launcher and the installed fonts from the layers above them. The
    // launcher opens files on its own, not over a window.
    TExecLauncher launcher(nullptr);
    const TSystemFontSource fonts;
    TServices services = WithDesktopDefaults({});
    services.Launcher = &launcher;
    services.Fonts = &fonts;
    TForm1 form(services);
    TTerminationSignals terminationSignals;
    QObject::connect(&terminationSignals, &TTerminationSignals::terminationRequested, &form,
                     [&form](int) { form.CloseFor(TCloseReason::Signal); });
    QObject::connect(&application, &QGuiApplication::commitDataRequest, &form,
                     [&form](QSessionManager&) { form.CloseFor(TCloseReason::SessionEnd); });
    form.show();
    return QApplication::exec();
}
