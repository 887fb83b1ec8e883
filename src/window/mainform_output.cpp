// Getting the HTML out: the copy button, the colour and font snippets, and the sample page.
#include "window/mainform.h"

#include "controls/FontCombo.h"
#include "engine/ClipboardSnippet.h"
#include "engine/CodePage.h"
#include "engine/HtmlPage.h"
#include "engine/TextLanguage.h"
#include "engine/jstrm.h"
#include "platform/ClipboardService.h"
#include "platform/DialogService.h"
#include "platform/FileLauncher.h"
#include "store/IniGT.h"
#include "store/SafeFile.h"
#include "store/StyleLibrary.h"
#include "window/ColorLabel.h"
#include "window/Cp932Text.h"
#include "window/OutputKindText.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QCursor>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QStatusBar>

namespace {

QString NothingToCopy() {
    return QCoreApplication::translate("TForm1", "コピーするものがありません");
}

// An output text as the desktop's Unicode, from whichever encoding its kind writes.
QString TextOf(const THtmlText& html, std::string_view bytes) {
    return html.Encoding() == TTextEncoding::Utf8
               ? QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()))
               : FromCp932(bytes);
}

} // namespace

void TForm1::TbCopyMouseDown(Qt::MouseButton button) {
    if (button != Qt::LeftButton && button != Qt::RightButton) {
        return;
    }
    if (htmlText_.Empty()) {
        // A text of fewer than two characters has no HTML; the clipboard keeps what it holds.
        ShowTitleMessage(NothingToCopy());
        return;
    }
    const TOutputKindRow& kind = OutputKindRow(OutputKind());
    if (button == Qt::LeftButton) {
        CopyHtml(TextOf(htmlText_, htmlText_.Written()));
        ShowTitleMessage(OutputKindText(kind.Copied));
    } else {
        CopyHtml(TextOf(htmlText_, htmlText_.OneLine()));
        ShowTitleMessage(OutputKindText(kind.CopiedOneLine != nullptr ? kind.CopiedOneLine : kind.Copied));
    }
}

void TForm1::FlClMouseDown(TColorLabel* label, Qt::MouseButton button) {
    if (!label->isEnabled()) {
        return;
    }
    rememberedColorText_ = label->text().toStdString();
    if (button == Qt::RightButton) {
        PmCopy->popup(QCursor::pos());
    }
}

void TForm1::FlClClick(int tag) {
    const std::string face = Utf8ToCp932(ChosenFace().toStdString()).Bytes;
    const std::optional<TClipboardSnippet> snippet = ClipboardSnippet(tag, rememberedColorText_, face, *tg_);
    if (!snippet) {
        return;
    }
    if (snippet->Text.empty()) {
        ShowTitleMessage(NothingToCopy());
        return;
    }
    services_.Clipboard->SetText(FromCp932(snippet->Text));
    ShowTitleMessage(tr("コピーしました ") + FromCp932(snippet->TitleSuffix));
}

std::string TForm1::FieldLanguage() const {
    // Japanese for a text with kana or kanji, else the one the window speaks (the code below is
    // translated with the window's texts).
    return TextLanguage(
        EdText->text().toStdString(),
        tr("ja", "the language code of a page whose text holds no kana or kanji").toStdString());
}

void TForm1::TbSaveClick() {
    const TColor pageBackground = PageBackground(cbTable->isChecked(), backgroundColor_);
    Refresh();
    // The page follows the output kind: the design's page, an HTML5 document, or for a kind
    // without a page the text itself in a text file.
    const TOutputKindRow& kind = OutputKindRow(OutputKind());
    const std::string language = FieldLanguage();
    const THtmlText page =
        kind.Page != nullptr ? kind.Page(htmlText_, *tg_, pageBackground, language) : htmlText_;
    TFileDialogRequest request;
    request.FilterIndex = 1;
    request.Filter = OutputKindText(kind.File.Filter);
    request.DefaultExt =
        QString::fromUtf8(kind.File.DefaultExt.data(), static_cast<qsizetype>(kind.File.DefaultExt.size()));
    request.FileName =
        QString::fromUtf8(kind.File.FileName.data(), static_cast<qsizetype>(kind.File.FileName.size()));
    request.InitialDir = LastSaveFolder();
    const std::optional<QString> chosen = services_.Dialogs->SaveFileName(this, request);
    if (!chosen) {
        return;
    }
    const QString target = WithDefaultExtension(*chosen, request.DefaultExt);
    if (!MayReplaceFile(target)) {
        return;
    }

    const QFileInfo file(target);
    const QString folder = file.absolutePath();
    try {
        IniGT->WriteFencedString(kSaveSection, "Path",
                                 QFile::encodeName(folder + QLatin1Char('/')).toStdString());
    } catch (const std::exception& error) {
        // The folder is only remembered for the next time; the page is still written.
        StBar->showMessage(QString::fromStdString(error.what()));
    }
    if (!SaveAndReport(file, page.Written(), tr("ページを保存できませんでした。\n%1"),
                       tr("HTMLを保存しました"))) {
        return;
    }

    const std::string extension = QStringLiteral(".%1").arg(file.suffix().toLower()).toStdString();
    if (OpenAfterSave() && !file.suffix().isEmpty() && CharPos(".htm", extension) > 0 &&
        services_.Launcher->Launch(QStringLiteral("open"), file.absoluteFilePath(), QString(), folder, 5) ==
            0) {
        StBar->showMessage(tr("保存したページ（%1）を開けませんでした").arg(file.fileName()));
    }
}

QString TForm1::LastSaveFolder() const {
    try {
        return QFile::decodeName(
            QByteArray::fromStdString(IniGT->ReadFencedString(kSaveSection, "Path", "")));
    } catch (const std::exception&) {
        return {};
    }
}

bool TForm1::SaveAndReport(const QFileInfo& file, std::string_view bytes, const QString& failure,
                           const QString& saved) {
    try {
        SaveFileSafely(QFile::encodeName(file.absoluteFilePath()).toStdString(), bytes, *services_.FileOps);
    } catch (const std::exception& error) {
        services_.Dialogs->ShowMessage(this, QStringLiteral("Tintrel"),
                                       failure.arg(QString::fromStdString(error.what())),
                                       TMessageKind::Error);
        return false;
    }
    ShowTitleMessage(saved);
    return true;
}

bool TForm1::MayReplaceFile(const QString& target) {
    return !AskBeforeOverwrite() || !QFileInfo::exists(target) ||
           services_.Dialogs->ConfirmYesNo(this, tr("上書きの確認"),
                                           tr("%1 は既にあります。\n上書きしますか？").arg(target));
}
