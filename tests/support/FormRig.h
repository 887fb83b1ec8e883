#pragma once

#include "support/ScriptedServices.h"

#include "platform/SystemColors.h"
#include "platform/UserStore.h"
#include "settings/window/mainform.h"
#include "support/MemoryUserStore.h"

#include <QTemporaryDir>

#include <memory>

// System colours from the palette, and the colour buttons' custom colours kept in memory, so
// no window test writes to the real home folder.
inline void UseTestDesktop() {
    InstallPaletteSystemColors();
    static TMemoryUserStore customColors;
    SetUserStore(&customColors);
}

// A main window on scripted dialogs, clipboard and launcher, with its settings file in a
// temporary folder.
struct TFormRig {
    QTemporaryDir dir;
    TScriptedDialogs dialogs;
    TFakeClipboard clipboard;
    TRecordingLauncher launcher;
    std::unique_ptr<TForm1> form;

    QString Path(const QString& name) const { return dir.filePath(name); }
    QString Ini() const { return Path(QStringLiteral("Tintrel.ini")); }

    // Creates the window; it is not shown yet.
    TForm1& Create() {
        TFormServices services;
        services.Dialogs = &dialogs;
        services.Clipboard = &clipboard;
        services.Launcher = &launcher;
        services.SettingsFile = Ini();
        form = std::make_unique<TForm1>(services);
        return *form;
    }
};
