// The style library as the window shows it: the sorted list CbStyle and its menu Pm1
// (choose, add or overwrite, delete, export to and import from ".tsy" style files).
#include "window/mainform.h"

#include "engine/CodePage.h"
#include "platform/DialogService.h"
#include "store/StyleLibrary.h"
#include "window/Cp932Text.h"
#include "window/StoreErrorText.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>

namespace {

const QString kCaption = QStringLiteral("Tintrel");

// Why `name` (Shift-JIS) cannot name a style, for the user.
QString StyleNameRefusal(const std::string& name) {
    return QCoreApplication::translate("TForm1",
                                       "「%1」はスタイル名にできません。\n"
                                       "設定ファイル自身のセクション名（Option, @@Prev@@, STYLES, Save）と、"
                                       "「]」や制御文字を含む名前、前後に空白のある名前は使えません。")
        .arg(FromCp932(name));
}

} // namespace

void TForm1::ShowError(const std::exception& error) {
    services_.Dialogs->ShowMessage(this, kCaption, StoreErrorText(error, SettingsFilePath()),
                                   TMessageKind::Error);
}

void TForm1::ShowStyleList(int selected) {
    const QSignalBlocker quiet(CbStyle);
    CbStyle->clear();
    for (const std::string& name : styles_->Names()) {
        CbStyle->addItem(FromCp932(name));
    }
    CbStyle->setCurrentIndex(selected);
}

void TForm1::ReadStyleList() {
    styles_->ReadList();
    ShowStyleList(-1);
    if (styles_->ListRepaired()) {
        ReportSettingsProblem(QCoreApplication::translate(
                                  "TForm1", "設定ファイル「%1」のスタイルの一覧（[STYLES]）が壊れていたため、"
                                            "残っていたスタイルから作り直しました。閉じるときに保存します。")
                                  .arg(SettingsFilePath()));
    }
}

bool TForm1::AcceptStyleName(const std::string& name) {
    if (!StyleNameProblem(name)) {
        return true;
    }
    services_.Dialogs->ShowMessage(this, kCaption, StyleNameRefusal(name), TMessageKind::Warning);
    return false;
}

std::optional<TForm1::TStyleName> TForm1::AskStyleName(const QString& caption, const QString& prompt,
                                                       const QString& initial, bool sameIsCancel,
                                                       const QString& unheldRefusal) {
    const std::optional<QString> answer = services_.Dialogs->InputQuery(this, caption, prompt, initial);
    if (!answer || (sameIsCancel && *answer == initial)) {
        return std::nullopt;
    }
    TCp932Conversion converted = Utf8ToCp932(answer->toStdString());
    if (!converted.Complete()) {
        services_.Dialogs->ShowMessage(
            this, kCaption, unheldRefusal.arg(QString::fromStdString(converted.Unmappable.front())),
            TMessageKind::Warning);
        return std::nullopt;
    }
    if (!AcceptStyleName(converted.Bytes)) {
        return std::nullopt;
    }
    return TStyleName{*answer, std::move(converted.Bytes)};
}

void TForm1::CbStyleChange() {
    const int index = CbStyle->currentIndex();
    if (index < 0) {
        return;
    }
    try {
        TStyleRecord style = CaptureStyleRecord();
        const std::vector<TBadValue> bad = styles_->Load(static_cast<std::size_t>(index), style);
        ApplyStyleRecord(style);
        ReportBadValues(bad);
    } catch (const std::exception& error) {
        // A style that cannot be read changes nothing, the preview size included.
        ShowError(error);
        return;
    }
    CbSizeClick();
}

void TForm1::Pm1Popup() {
    const bool selected = CbStyle->currentIndex() >= 0;
    PmDel->setEnabled(selected);
    PmRen->setEnabled(selected);
    PmExp->setEnabled(selected);
}

void TForm1::PmAddClick() {
    const int selected = CbStyle->currentIndex();
    const QString initial = selected >= 0 ? CbStyle->itemText(selected) : QString();
    const std::optional<TStyleName> name =
        AskStyleName(tr("スタイルの追加"), tr("スタイル名"), initial, false,
                     tr("スタイル名にShift-JISで表せない文字（%1）が含まれているため、追加しませんでした。"));
    if (!name) {
        return;
    }
    try {
        const std::size_t index = styles_->Add(name->Bytes, CaptureStyleRecord());
        ShowStyleList(static_cast<int>(index));
    } catch (const std::exception& error) {
        ShowError(error);
    }
}

void TForm1::PmDelClick() {
    const int index = CbStyle->currentIndex();
    if (index < 0) {
        return;
    }
    if (!services_.Dialogs->ConfirmOkCancel(this, tr("削除の確認"),
                                            tr("【%1】 削除しますか？").arg(CbStyle->itemText(index)))) {
        return;
    }
    try {
        styles_->Delete(static_cast<std::size_t>(index));
    } catch (const std::exception& error) {
        ShowError(error);
    }
    ShowStyleList(-1);
}

void TForm1::PmRenClick() {
    const int index = CbStyle->currentIndex();
    if (index < 0) {
        return;
    }
    const QString current = CbStyle->itemText(index);
    const std::optional<TStyleName> name = AskStyleName(
        tr("スタイル名の変更"), tr("新しいスタイル名"), current, true,
        tr("スタイル名にShift-JISで表せない文字（%1）が含まれているため、名前を変えませんでした。"));
    if (!name) {
        return;
    }
    if (const auto listed = styles_->IndexOf(name->Bytes);
        listed && *listed != static_cast<std::size_t>(index)) {
        services_.Dialogs->ShowMessage(
            this, kCaption,
            tr("「%1」というスタイルは既にあります。名前を変えませんでした。").arg(name->Typed),
            TMessageKind::Warning);
        return;
    }
    try {
        ShowStyleList(static_cast<int>(styles_->Rename(static_cast<std::size_t>(index), name->Bytes)));
    } catch (const std::exception& error) {
        ShowError(error);
    }
}

void TForm1::PmExpClick() {
    const int index = CbStyle->currentIndex();
    if (index < 0) {
        return;
    }
    const std::string& name = styles_->Names().at(static_cast<std::size_t>(index));
    TFileDialogRequest request;
    request.Filter = tr("HTML File|*.html;*.htm|Tintrel Style File|*.tsy");
    request.FilterIndex = 2;
    request.DefaultExt = QStringLiteral("htm");
    request.FileName = FromCp932(StyleFileName(name));
    QString target;
    // No to the question whether to replace a file goes back to the file dialog.
    do {
        const std::optional<QString> chosen = services_.Dialogs->SaveFileName(this, request);
        if (!chosen) {
            return;
        }
        // The question concerns the file really written, with its ".tsy", not the name the
        // dialog saw.
        target = QString::fromStdString(WithStyleFileExtension(chosen->toStdString()));
        request.FileName = target;
    } while (!MayReplaceFile(target));
    try {
        styles_->Export(static_cast<std::size_t>(index), target.toStdString(), *services_.FileOps);
    } catch (const std::exception& error) {
        ShowError(error);
        return;
    }
    ShowTitleMessage(tr("スタイルを書き出しました"));
}

void TForm1::PmImpClick() {
    TFileDialogRequest request;
    request.Filter = tr("Tintrel Style File|*.tsy");
    request.FilterIndex = 1;
    const std::optional<QString> chosen = services_.Dialogs->OpenFileName(this, request);
    if (!chosen) {
        return;
    }
    std::optional<std::size_t> index;
    try {
        index = styles_->Import(chosen->toStdString());
    } catch (const EStyleNameError& refused) {
        services_.Dialogs->ShowMessage(this, kCaption,
                                       tr("スタイルファイルを読み込みませんでした。\n") +
                                           StyleNameRefusal(refused.Name()),
                                       TMessageKind::Warning);
        return;
    } catch (const EStyleFileError& notAStyleFile) {
        services_.Dialogs->ShowMessage(this, kCaption, StoreErrorText(notAStyleFile, SettingsFilePath()),
                                       TMessageKind::Warning);
        return;
    } catch (const std::exception& error) {
        ShowError(error);
        return;
    }
    if (!index) {
        return; // a file of fewer than two lines
    }
    ShowStyleList(static_cast<int>(*index));
    CbStyleChange();
}
