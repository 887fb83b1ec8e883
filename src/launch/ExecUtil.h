#pragma once

#include <QString>
#include <QtGlobal>

class QWidget;

// Opens or runs a file the way the desktop does when the user opens it, and returns the id of
// the started process, 0 when nothing was started. It shows no message of its own, so a caller
// that does not look at the result stays quiet.
//
// - window: owner for messages; none are shown, so it may be null.
// - verb: "open" (or empty) uses the application's main command; another verb the desktop action
//   of that name in the application's entry.
// - fileName: the file; a relative name counts from `folder`.
// - parameters: extra arguments after the file, split by the quoting rules of an Exec line.
// - folder: the started program's working folder; empty means our own current folder. An
//   application whose entry names its own folder (the Path key) starts there instead.
// - showMode: how the started window should be shown; the desktop decides that here.
//
// An executable file (a script with "#!" or a compiled program, with execute permission) starts
// directly with the parameters as its arguments. Any other file goes to the default application
// of its MIME type, found through mimeapps.list and mimeinfo.cache, whose Exec line receives the
// file. No shell is involved: the file name reaches the program as one argument, whatever spaces,
// quotes or shell signs it holds. The process is detached: it does not become a zombie and lives
// on when this program ends.
qint64 LaunchFile(QWidget* window, const QString& verb, const QString& fileName, const QString& parameters,
                  const QString& folder, int showMode);

// Opens the page `fileName` in the default application of its type at `anchor` (a fragment
// such as "HID00000001"): an application whose Exec line takes URLs (%u %U) receives the page's
// file URL with the anchor; one that takes paths receives the path and shows the page from its
// top. Otherwise as LaunchFile with the verb "open" and no parameters.
qint64 LaunchFileAtAnchor(QWidget* window, const QString& fileName, const QString& anchor,
                          const QString& folder);
