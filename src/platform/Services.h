#pragma once

#include <QString>

#include <memory>

class TClipboardService;
class TColorDialogService;
class TDialogService;
class TFileLauncher;
class TFileOps;
class TFontSource;
class TUserStore;

// The one handle through which a part of the program reaches the desktop: the program's main
// builds it, the window is given it and hands it down to the colour buttons and their palettes.
// It points at the services and owns none of them (but the file operations, which are shared);
// what it points at must outlive every part holding a copy. A part uses the entries it needs as
// they are given: main fills every one with the desktop's own, tests with scripted or
// in-memory ones.
struct TServices {
    TDialogService* Dialogs = nullptr;
    TClipboardService* Clipboard = nullptr;
    // Opening saved pages and the help. The desktop's launcher lives above this layer.
    TFileLauncher* Launcher = nullptr;
    TColorDialogService* ColorDialog = nullptr;
    // Where the colour buttons keep their custom colours.
    TUserStore* UserStore = nullptr;
    // What the window's saves go through (settings file, pages, pictures, style files).
    std::shared_ptr<TFileOps> FileOps;
    // The installed typefaces the font list offers (the desktop's live above this layer).
    const TFontSource* Fonts = nullptr;
    // The settings file with its folder; empty: the program's own settings file.
    QString SettingsFile;
};

// `services` with every empty entry but the launcher, the fonts and the settings file filled with the
// desktop's own: Qt's dialogs, clipboard and colour dialog, the file-backed per-user store and
// the plain file operations. These live as long as the program.
TServices WithDesktopDefaults(TServices services);

// The desktop's own services (no launcher, no fonts).
const TServices& DesktopServices();
