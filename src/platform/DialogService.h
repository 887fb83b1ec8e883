#pragma once

#include "engine/OrivUtil.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

class QWidget;
class TColorDialogService;

// What a file dialog is asked for. The filter list is written the way the program's dialogs
// describe it: "Label|patterns|Label|patterns", patterns separated by ";".
struct TFileDialogRequest {
    QString Title;
    QString Filter;
    int FilterIndex = 1; // 1-based, the entry shown first
    QString DefaultExt;  // added when the user types a name without an extension; no dot
    QString InitialDir;  // empty: the desktop's choice
    QString FileName;    // the proposed name
};

// The file a save dialog chose and the file type that was selected in it (1-based, in the
// order of the request's filter list).
struct TFileDialogAnswer {
    QString FileName;
    int FilterIndex = 1;
};

// How a picture of the preview is made: its scale and whether the background stays clear.
struct TPictureChoice {
    int Scale = 1; // 1, 2 or 4
    bool Transparent = false;
    bool TextAsOutlines = false; // an SVG's characters as outlines

    friend bool operator==(const TPictureChoice&, const TPictureChoice&) = default;
};

enum class TMessageKind { Information, Warning, Error };

// The standard dialogs the window uses: one-line input box, message boxes and the file
// dialogs. The program shows Qt dialogs; tests script the answers.
class TDialogService {
public:
    virtual ~TDialogService() = default;

    // A one-line input box; nothing when the user cancels.
    virtual std::optional<QString> InputQuery(QWidget* parent, const QString& caption, const QString& prompt,
                                              const QString& initial) = 0;
    // An OK / Cancel question with a warning sign and Cancel as the default; true for OK.
    virtual bool ConfirmOkCancel(QWidget* parent, const QString& caption, const QString& text) = 0;
    // A Yes / No question; true for Yes.
    virtual bool ConfirmYesNo(QWidget* parent, const QString& caption, const QString& text) = 0;
    virtual void ShowMessage(QWidget* parent, const QString& caption, const QString& text,
                             TMessageKind kind) = 0;
    // The chosen file, or nothing when the user cancels. The dialogs never ask about
    // overwriting themselves: the caller asks about the file it will really write.
    virtual std::optional<QString> SaveFileName(QWidget* parent, const TFileDialogRequest& request) = 0;
    virtual std::optional<QString> OpenFileName(QWidget* parent, const TFileDialogRequest& request) = 0;
    // A save dialog whose file types matter: the extension added to a bare name follows the
    // selected type, and the answer tells which type was selected.
    virtual std::optional<TFileDialogAnswer> SaveFileOfType(QWidget* parent,
                                                            const TFileDialogRequest& request) = 0;
    // The scale and background of a picture, starting from `initial`; nothing when cancelled.
    virtual std::optional<TPictureChoice> PictureChoice(QWidget* parent, const TPictureChoice& initial) = 0;
    // The stops editor started on `stops`, its colour button opening `colorDialog`; the stops
    // as edited, or nothing when cancelled.
    virtual std::optional<std::vector<TColorStop>>
    EditStops(QWidget* parent, const std::vector<TColorStop>& stops, TColorDialogService& colorDialog) = 0;
    // The rainbow's first hue in degrees, starting from `degrees`; `follow` hears every hue
    // tried while the dialog is open. Nothing when cancelled.
    virtual std::optional<int> ChoosePhase(QWidget* parent, int degrees,
                                           const std::function<void(int)>& follow) = 0;
};

// The desktop's dialogs (QInputDialog, QMessageBox, QFileDialog).
class TQtDialogService final : public TDialogService {
public:
    std::optional<QString> InputQuery(QWidget* parent, const QString& caption, const QString& prompt,
                                      const QString& initial) override;
    bool ConfirmOkCancel(QWidget* parent, const QString& caption, const QString& text) override;
    bool ConfirmYesNo(QWidget* parent, const QString& caption, const QString& text) override;
    void ShowMessage(QWidget* parent, const QString& caption, const QString& text,
                     TMessageKind kind) override;
    std::optional<QString> SaveFileName(QWidget* parent, const TFileDialogRequest& request) override;
    std::optional<QString> OpenFileName(QWidget* parent, const TFileDialogRequest& request) override;
    std::optional<TFileDialogAnswer> SaveFileOfType(QWidget* parent,
                                                    const TFileDialogRequest& request) override;
    std::optional<TPictureChoice> PictureChoice(QWidget* parent, const TPictureChoice& initial) override;
    std::optional<std::vector<TColorStop>> EditStops(QWidget* parent, const std::vector<TColorStop>& stops,
                                                     TColorDialogService& colorDialog) override;
    std::optional<int> ChoosePhase(QWidget* parent, int degrees,
                                   const std::function<void(int)>& follow) override;
};

// "HTML File|*.html;*.htm|Tintrel Style File|*.tsy" as Qt's name filters
// ("HTML File (*.html *.htm)", "Tintrel Style File (*.tsy)").
QStringList QtNameFilters(const QString& filter);

// The first extension of each file type of a filter list, without its dot: "png" for
// "PNG|*.png"; empty for a type without one ("*" or "*.*").
QStringList FilterExtensions(const QString& filter);

// The name the user chose with the default extension added when the file part has none
// (a name ending in a dot counts as having none).
QString WithDefaultExtension(const QString& fileName, const QString& defaultExt);
