// The desktop program: one main window, driven by the user alone.
#include "platform/FontSubstitutes.h"
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

    TForm1 form;
    TTerminationSignals terminationSignals;
    QObject::connect(&terminationSignals, &TTerminationSignals::terminationRequested, &form,
                     [&form](int) { form.CloseFor(TCloseReason::Signal); });
    QObject::connect(&application, &QGuiApplication::commitDataRequest, &form,
                     [&form](QSessionManager&) { form.CloseFor(TCloseReason::SessionEnd); });
    form.show();
    return QApplication::exec();
}
