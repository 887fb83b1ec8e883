// Getting the HTML out: the copy button, the colour and font snippets, and the sample page.
#include "settings/window/mainform.h"

#include "controls/FontCombo.h"
#include "engine/ClipboardSnippet.h"
#include "engine/CodePage.h"
#include "engine/HtmlPage.h"
#include "engine/jstrm.h"
#include "platform/ClipboardService.h"
#include "platform/DialogService.h"
#include "platform/FileLauncher.h"
#include "settings/store/IniGT.h"
#include "settings/store/SafeFile.h"
#include "settings/store/StyleLibrary.h"
#include "settings/window/ColorLabel.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QCursor>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QStatusBar>

namespace {

QString FromBytes(std::string_view cp932) {
    return QString::fromStdString(Cp932ToUtf8(cp932));
}

QString NothingToCopy() {
    return QCoreApplication::translate("TForm1", "コピーするものがありません");
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
    if (button == Qt::LeftButton) {
        services_.Clipboard->SetText(FromBytes(htmlText_.Written()));
        ShowTitleMessage(tr("HTMLをコピーしました"));
    } else {
        services_.Clipboard->SetText(FromBytes(htmlText_.OneLine()));
        ShowTitleMessage(tr("HTMLをコピーしました（１行）"));
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
    const std::string face = Utf8ToCp932(FCBox->FontName().toStdString()).Bytes;
    const std::optional<TClipboardSnippet> snippet = ClipboardSnippet(tag, rememberedColorText_, face, *tg_);
    if (!snippet) {
        return;
    }
    if (snippet->Text.empty()) {
        ShowTitleMessage(NothingToCopy());
        return;
    }
    services_.Clipboard->SetText(FromBytes(snippet->Text));
    ShowTitleMessage(tr("コピーしました ") + FromBytes(snippet->TitleSuffix));
}

void TForm1::TbSaveClick() {
    const TColor pageBackground = PageBackground(cbTable->isChecked(), backgroundColor_);
    Refresh();
    const THtmlText page = SamplePage(htmlText_, *tg_, pageBackground);

    TFileDialogRequest request;
    request.Filter = tr("HTML File|*.html;*.htm|Tintrel Style File|*.tsy");
    request.FilterIndex = 1;
    request.DefaultExt = QStringLiteral("htm");
    request.FileName = QStringLiteral("Sample.html");
    try {
        request.InitialDir =
            QFile::decodeName(QByteArray::fromStdString(IniGT->ReadFencedString(kSaveSection, "Path", "")));
    } catch (const std::exception&) {
        // An unreadable settings file leaves the dialog in the desktop's own folder.
    }
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
    try {
        SaveFileSafely(QFile::encodeName(file.absoluteFilePath()).toStdString(), page.Written(),
                       *DefaultFileOps());
    } catch (const std::exception& error) {
        services_.Dialogs->ShowMessage(
            this, QStringLiteral("Tintrel"),
            tr("ページを保存できませんでした。\n%1").arg(QString::fromStdString(error.what())),
            TMessageKind::Error);
        return;
    }

    ShowTitleMessage(tr("HTMLを保存しました"));

    const std::string extension = QStringLiteral(".%1").arg(file.suffix().toLower()).toStdString();
    if (OpenAfterSave() && !file.suffix().isEmpty() && CharPos(".htm", extension) > 0 &&
        services_.Launcher->Launch(QStringLiteral("open"), file.absoluteFilePath(), QString(), folder, 5) ==
            0) {
        StBar->showMessage(tr("保存したページ（%1）を開けませんでした").arg(file.fileName()));
    }
}

bool TForm1::MayReplaceFile(const QString& target) {
    return !AskBeforeOverwrite() || !QFileInfo::exists(target) ||
           services_.Dialogs->ConfirmYesNo(this, tr("上書きの確認"),
                                           tr("%1 は既にあります。\n上書きしますか？").arg(target));
}
