#pragma once

#include <QString>

#include <cstdint>

// Opening documents and the help file the way the desktop would. The program goes through
// the association lookup; tests record the calls.
class TFileLauncher {
public:
    virtual ~TFileLauncher() = default;
    // Opens or runs `fileName` with `verb`; the id of the started process, 0 when nothing was
    // started.
    virtual std::int64_t Launch(const QString& verb, const QString& fileName, const QString& parameters,
                                const QString& folder, int showMode) = 0;
    // Shows the help file at the topic with the given context string; false when there is no
    // help file or nothing could show it.
    virtual bool ShowHelpTopic(const QString& topic) = 0;
};
