#pragma once

#include "support/ScriptedServices.h"

#include "controls/SystemFontSource.h"
#include "platform/Services.h"
#include "platform/SystemColors.h"
#include "support/MemoryUserStore.h"
#include "support/SystemColorsScope.h"
#include "window/mainform.h"

#include <QDir>
#include <QTemporaryDir>

#include <memory>

// A main window on scripted dialogs, clipboard and launcher, with its settings file in a
// temporary folder (or in the folder a tool names) and its colour buttons keeping their custom
// colours in memory (so no window test writes to the real home folder). While the rig lives,
// system colours come from the palette; the table before is put back when it goes.
struct TFormRig {
    TFormRig() = default;
    explicit TFormRig(const QString& settingsFolder) : folder(settingsFolder) {}

    TPaletteSystemColors paletteColors;
    TSystemColorsScope paletteColorsInstalled{&paletteColors};
    TMemoryUserStore customColors;

    QTemporaryDir dir;
    QDir folder{dir.path()};
    TScriptedDialogs dialogs;
    TFakeClipboard clipboard;
    TRecordingLauncher launcher;
    TSystemFontSource fonts;
    std::unique_ptr<TForm1> form;

    QString Path(const QString& name) const { return folder.filePath(name); }
    QString Ini() const { return Path(QStringLiteral("Tintrel.ini")); }

    // The handle the window is made with: the rig's services, the installed fonts, the
    // desktop's colour dialog and file operations.
    TServices Services() {
        TServices services;
        services.Dialogs = &dialogs;
        services.Clipboard = &clipboard;
        services.Launcher = &launcher;
        services.UserStore = &customColors;
        services.Fonts = &fonts;
        services.SettingsFile = Ini();
        return WithDesktopDefaults(services);
    }

    // Creates the window; it is not shown yet.
    TForm1& Create() {
        form = std::make_unique<TForm1>(Services());
        return *form;
    }
};
