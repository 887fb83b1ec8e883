#pragma once

#include "platform/UserStore.h"

#include <QSet>

#include <functional>

// The per-user store kept in INI files under the user's configuration folder
// ($XDG_CONFIG_HOME, or ~/.config when that is unset or not absolute). A leading "Software"
// component of the key path is dropped; the last component names the section and the ones before
// it the file: "Software\OrivSoft\Tintrel\Colors" is the section [Colors] of
// OrivSoft/Tintrel.conf. The files are read and written by the program's INI store (TIniFile):
// "name=text" lines, names matched without regard to ASCII case, CR LF line ends, every other
// line kept as it was, each write saved at once by an atomic replace; a missing folder is made.
//
// A write that fails is reported once per file through the error reporter, however often it is
// tried again; the default reporter prints to standard error and opens no box, since the
// colours are written while the program ends.
class TFileUserStore final : public TUserStore {
public:
    using TErrorReporter = std::function<void(const QString& message)>;

    QString ReadValue(const QString& keyPath, const QString& valueName) override;
    bool WriteValue(const QString& keyPath, const QString& valueName, const QString& text) override;

    void SetErrorReporter(TErrorReporter reporter) { reporter_ = std::move(reporter); }

    // The file and section of a key path; false for a key path that does not name both (fewer
    // than two components after "Software") or has a component that is empty, "." or "..", or
    // holds "/" (which would lead out of the configuration folder).
    static bool Locate(const QString& keyPath, QString& fileName, QString& section);
    static QString ConfigHome();

private:
    void Report(const QString& fileName, const QString& reason);

    TErrorReporter reporter_;
    QSet<QString> reportedFiles_;
};
