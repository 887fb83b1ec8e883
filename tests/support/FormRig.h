#pragma once

#include "support/ScriptedServices.h"

#include "platform/SystemColors.h"
#include "support/MemoryUserStore.h"
#include "support/ScopedService.h"
#include "window/mainform.h"

#include <QTemporaryDir>

#include <memory>

// A main window on scripted dialogs, clipboard and launcher, with its settings file in a
// temporary folder. While the rig lives, system colours come from the palette and the colour
// buttons keep their custom colours in memory (so no window test writes to the real home
// folder); both are put back as they were when it goes.
struct TFormRig {
    TPaletteSystemColors paletteColors;
    TSystemColorsScope paletteColorsInstalled{&paletteColors};
    TMemoryUserStore customColors;
    TUserStoreScope customColorsInstalled{&customColors};

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
