#include "platform/DialogService.h"

#include "platform/DialogTitleRoom.h"

#include "platform/PhaseDialog.h"
#include "platform/PictureChoiceDialog.h"
#include "platform/StopsEditor.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QStyle>

QStringList QtNameFilters(const QString& filter) {
    QStringList result;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        result << QStringLiteral("%1 (%2)").arg(parts[i], patterns);
    }
    return result;
}

QStringList FilterExtensions(const QString& filter) {
    QStringList result;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString first = parts[i + 1].section(QLatin1Char(';'), 0, 0).trimmed();
        const QString extension = first.startsWith(QLatin1String("*.")) ? first.mid(2) : QString();
        result << (extension.contains(QLatin1Char('*')) ? QString() : extension);
    }
    return result;
}

QString WithDefaultExtension(const QString& fileName, const QString& defaultExt) {
    if (defaultExt.isEmpty() || fileName.isEmpty()) {
        return fileName;
    }
    const QString namePart = QFileInfo(fileName).fileName();
    if (namePart.endsWith(QLatin1Char('.'))) {
        return fileName + defaultExt;
    }
    if (namePart.contains(QLatin1Char('.'))) {
        return fileName;
    }
    return fileName + QLatin1Char('.') + defaultExt;
}

std::optional<QString> TQtDialogService::InputQuery(QWidget* parent, const QString& caption,
                                                    const QString& prompt, const QString& initial) {
    QInputDialog dialog(parent);
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setTextValue(initial);
    // The dialog's layout sets its minimum size, so the width goes to the text field.
    if (auto* field = dialog.findChild<QLineEdit*>()) {
        field->setMinimumWidth(DialogTitleRoom(dialog) -
                               2 * dialog.style()->pixelMetric(QStyle::PM_LayoutLeftMargin));
    }
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.textValue();
}

bool TQtDialogService::ConfirmOkCancel(QWidget* parent, const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Ok | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

bool TQtDialogService::ConfirmYesNo(QWidget* parent, const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void TQtDialogService::ShowMessage(QWidget* parent, const QString& caption, const QString& text,
                                   TMessageKind kind) {
    QMessageBox::Icon icon = QMessageBox::Information;
    if (kind == TMessageKind::Warning) {
        icon = QMessageBox::Warning;
    } else if (kind == TMessageKind::Error) {
        icon = QMessageBox::Critical;
    }
    QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
    box.exec();
}

namespace {

// The file type at `index` was chosen: a bare name gets its extension, and a proposed or typed
// name that carries another type's extension takes this one, so the name never contradicts the
// type just chosen.
void FollowFileType(QFileDialog& dialog, qsizetype index, const QStringList& extensions) {
    if (index < 0 || index >= extensions.size() || extensions[index].isEmpty()) {
        return;
    }
    dialog.setDefaultSuffix(extensions[index]);
    const QStringList names = dialog.selectedFiles();
    if (names.size() != 1) {
        return;
    }
    const QFileInfo name(names.constFirst());
    if (!name.isDir() && extensions.contains(name.suffix(), Qt::CaseInsensitive)) {
        dialog.selectFile(name.completeBaseName() + QLatin1Char('.') + extensions[index]);
    }
}

std::optional<TFileDialogAnswer> RunFileDialog(QWidget* parent, const TFileDialogRequest& request,
                                               QFileDialog::AcceptMode mode, bool suffixFollowsType = false) {
    QFileDialog dialog(parent, request.Title, request.InitialDir);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    const QStringList filters = QtNameFilters(request.Filter);
    dialog.setNameFilters(filters);
    if (request.FilterIndex >= 1 && request.FilterIndex <= filters.size()) {
        dialog.selectNameFilter(filters[request.FilterIndex - 1]);
    }
    dialog.setDefaultSuffix(request.DefaultExt);
    if (suffixFollowsType) {
        const QStringList extensions = FilterExtensions(request.Filter);
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&dialog, filters, extensions](const QString& chosen) {
                             FollowFileType(dialog, filters.indexOf(chosen), extensions);
                         });
    }
    if (!request.FileName.isEmpty()) {
        dialog.selectFile(request.FileName);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const qsizetype type = filters.indexOf(dialog.selectedNameFilter());
    return TFileDialogAnswer{dialog.selectedFiles().constFirst(),
                             type >= 0 ? static_cast<int>(type) + 1 : request.FilterIndex};
}

} // namespace

std::optional<QString> TQtDialogService::SaveFileName(QWidget* parent, const TFileDialogRequest& request) {
    const std::optional<TFileDialogAnswer> answer = RunFileDialog(parent, request, QFileDialog::AcceptSave);
    return answer ? std::optional<QString>(answer->FileName) : std::nullopt;
}

std::optional<QString> TQtDialogService::OpenFileName(QWidget* parent, const TFileDialogRequest& request) {
    const std::optional<TFileDialogAnswer> answer = RunFileDialog(parent, request, QFileDialog::AcceptOpen);
    return answer ? std::optional<QString>(answer->FileName) : std::nullopt;
}

std::optional<TFileDialogAnswer> TQtDialogService::SaveFileOfType(QWidget* parent,
                                                                  const TFileDialogRequest& request) {
    return RunFileDialog(parent, request, QFileDialog::AcceptSave, true);
}

std::optional<TPictureChoice> TQtDialogService::PictureChoice(QWidget* parent,
                                                              const TPictureChoice& initial) {
    TPictureChoiceDialog dialog(initial, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Choice();
}

std::optional<std::vector<TColorStop>> TQtDialogService::EditStops(QWidget* parent,
                                                                   const std::vector<TColorStop>& stops,
                                                                   TColorDialogService& colorDialog) {
    TStopsEditor editor(stops, colorDialog, parent);
    if (editor.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return editor.Stops();
}

std::optional<int> TQtDialogService::ChoosePhase(QWidget* parent, int degrees,
                                                 const std::function<void(int)>& follow) {
    TPhaseDialog dialog(degrees, parent);
    QObject::connect(&dialog, &TPhaseDialog::PhaseChanged, &dialog, follow);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Degrees();
}
