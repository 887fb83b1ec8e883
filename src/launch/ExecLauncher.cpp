#include "launch/ExecLauncher.h"

#include "launch/ExecUtil.h"
#include "launch/HelpFile.h"

#include <QFileInfo>

std::int64_t TExecLauncher::Launch(const QString& verb, const QString& fileName, const QString& parameters,
                                   const QString& folder, int showMode) {
    return LaunchFile(window_, verb, fileName, parameters, folder, showMode);
}

bool TExecLauncher::ShowHelpTopic(const QString& topic) {
    const QString page = HelpFilePath(SystemUiLanguage());
    if (page.isEmpty()) {
        return false;
    }
    return LaunchFileAtAnchor(window_, page, topic, QFileInfo(page).absolutePath()) != 0;
}
