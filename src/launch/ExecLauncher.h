#pragma once

#include "platform/FileLauncher.h"

class QWidget;

// Opens files through the desktop's associations (LaunchFile) and the help page beside the
// program (HelpFilePath).
class TExecLauncher final : public TFileLauncher {
public:
    explicit TExecLauncher(QWidget* window) : window_(window) {}

    std::int64_t Launch(const QString& verb, const QString& fileName, const QString& parameters,
                        const QString& folder, int showMode) override;
    // The page opens at the topic's anchor (a browser taking URLs) or at its top. Without a
    // help page nothing is started.
    bool ShowHelpTopic(const QString& topic) override;

private:
    QWidget* window_;
};
