#pragma once

#include <QString>

#include <memory>

class TClipboardService;
class TColorDialogService;
class TDialogService;
class TFileLauncher;
class TFileOps;
class TUserStore;

// The one handle through which a part of the program reaches the desktop: the window is given
// it and hands it down to the colour buttons and their palettes. It points at the services and
// owns none of them (but the file operations, which are shared); what it points at must outlive
// every part holding a copy. An entry left empty is the desktop's own (WithDesktopDefaults);
// tests fill in scripted or in-memory ones.
struct TServices {
    TDialogService* Dialogs = nullptr;
    TClipboardService* Clipboard = nullptr;
    // Opening saved pages and the help. The desktop's launcher lives above this layer, so the
    // window supplies it when this is empty.
    TFileLauncher* Launcher = nullptr;
    TColorDialogService* ColorDialog = nullptr;
    // Where the colour buttons keep their custom colours.
    TUserStore* UserStore = nullptr;
    // What the window's saves go through (settings file, pages, pictures).
    std::shared_ptr<TFileOps> FileOps;
    // The settings file with its folder; empty: the program's own settings file.
    QString SettingsFile;
};

// `services` with every empty entry but the launcher and the settings file filled with the
// desktop's own: Qt's dialogs, clipboard and colour dialog, the file-backed per-user store and
// the plain file operations. These live as long as the program.
TServices WithDesktopDefaults(TServices services);

// The desktop's own services (no launcher).
const TServices& DesktopServices();
