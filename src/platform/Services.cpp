#include "platform/Services.h"

#include "platform/ClipboardService.h"
#include "platform/DialogService.h"
#include "platform/FileUserStore.h"
#include "platform/QtColorDialogService.h"
#include "store/FileOps.h"

const TServices& DesktopServices() {
    static TQtDialogService dialogs;
    static TQtClipboardService clipboard;
    static TQtColorDialogService colorDialog;
    static TFileUserStore userStore;
    static const TServices desktop{
        .Dialogs = &dialogs,
        .Clipboard = &clipboard,
        .Launcher = nullptr,
        .ColorDialog = &colorDialog,
        .UserStore = &userStore,
        .FileOps = DefaultFileOps(),
        .SettingsFile = QString(),
    };
    return desktop;
}

TServices WithDesktopDefaults(TServices services) {
    const TServices& desktop = DesktopServices();
    if (services.Dialogs == nullptr) {
        services.Dialogs = desktop.Dialogs;
    }
    if (services.Clipboard == nullptr) {
        services.Clipboard = desktop.Clipboard;
    }
    if (services.ColorDialog == nullptr) {
        services.ColorDialog = desktop.ColorDialog;
    }
    if (services.UserStore == nullptr) {
        services.UserStore = desktop.UserStore;
    }
    if (!services.FileOps) {
        services.FileOps = desktop.FileOps;
    }
    return services;
}
