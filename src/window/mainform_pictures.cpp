// Output for places that take no HTML source: the preview saved as a picture, and the copy that
// also carries formatted text for word processors and mail composers.
#include "window/mainform.h"

#include "controls/FontCombo.h"
#include "engine/FormattedCopy.h"
#include "platform/ClipboardService.h"
#include "platform/DialogService.h"
#include "window/PictureExport.h"
#include "window/PreviewBox.h"

#include <QAction>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenu>

#include <string_view>
#include <utility>

namespace {

// The file types of the picture dialog, in their order there, with the extension each adds.
struct TPictureType {
    TPictureFormat Format;
    const char* Extension;
};
constexpr TPictureType kPictureTypes[] = {{TPictureFormat::Png, "png"}, {TPictureFormat::Svg, "svg"}};

// The picture format and the file to write for the dialog's answer: a name that ends in .png or
// .svg says the format itself; any other name takes the selected type and its extension.
std::pair<TPictureFormat, QString> PictureTarget(const TFileDialogAnswer& answer) {
    const QString suffix = QFileInfo(answer.FileName).suffix().toLower();
    for (const TPictureType& type : kPictureTypes) {
        if (suffix == QLatin1String(type.Extension)) {
            return {type.Format, answer.FileName};
        }
    }
    const int index = answer.FilterIndex >= 1 && answer.FilterIndex <= 2 ? answer.FilterIndex - 1 : 0;
    const TPictureType& type = kPictureTypes[index];
    QString target = answer.FileName;
    if (!target.endsWith(QLatin1Char('.'))) {
        target += QLatin1Char('.');
    }
    return {type.Format, target + QLatin1String(type.Extension)};
}

} // namespace

void TForm1::CreatePictureItems() {
    // The preview's own menu, so that every menu of the design keeps its items as they are.
    PmPreview = new QMenu(this);
    PmPreview->setObjectName(QStringLiteral("PmPreview"));
    PmPicture = PmPreview->addAction(tr("画像として保存…"));
    PmPicture->setObjectName(QStringLiteral("PmPicture"));
    PmPicture->setStatusTip(tr("プレビューの文字をPNGまたはSVGの画像ファイルに保存します"));
    PmPreview->addSeparator();
    CbOptFormatted = PmPreview->addAction(tr("書式付きテキストでもコピーする"));
    CbOptFormatted->setObjectName(QStringLiteral("CbOptFormatted"));
    CbOptFormatted->setCheckable(true);
    CbOptFormatted->setStatusTip(tr("コピーの時、HTMLのソースと一緒に色付きの書式付きテキストも渡します（ワー"
                                    "プロやメールに貼り付け用）"));

    // The options menu offers both too, after the output kinds, where a mouse user looks for an
    // output choice and an option that is saved with the others.
    const QList<QAction*> options = PmOpt->actions();
    QAction* separatorBeforeTheSwitches = options.at(options.indexOf(CbOpt4) - 1);
    PmOpt->insertSeparator(separatorBeforeTheSwitches);
    PmOpt->insertActions(separatorBeforeTheSwitches, {PmPicture, CbOptFormatted});

    // Keyboard paths: the picture command from anywhere in the window, and the preview's menu,
    // which the preview (never focused) cannot open itself.
    PmPicture->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    PmPicture->setShortcutContext(Qt::WindowShortcut);
    addAction(PmPicture);
    AcPreviewMenu = new QAction(this);
    AcPreviewMenu->setObjectName(QStringLiteral("AcPreviewMenu"));
    AcPreviewMenu->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
    AcPreviewMenu->setShortcutContext(Qt::WindowShortcut);
    addAction(AcPreviewMenu);
    connect(AcPreviewMenu, &QAction::triggered, this, [this] {
        PmPreview->popup(PaintBox->mapToGlobal(QPoint(0, 0)));
        PmPreview->setActiveAction(PmPicture);
    });

    connect(PmPicture, &QAction::triggered, this, &TForm1::PmPictureClick);
    connect(PmPreview, &QMenu::hovered, this, [this](QAction* item) { ShowHint(item->statusTip()); });
    PaintBox->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(PaintBox, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PmPreview->popup(PaintBox->mapToGlobal(at)); });
}

void TForm1::CopyHtml(const QString& html) {
    if (!CbOptFormatted->isChecked()) {
        services_.Clipboard->SetText(html);
        return;
    }
    services_.Clipboard->SetTextAndHtml(html, QString::fromStdString(FormattedCopyHtml(lastRefreshInput_)));
}

void TForm1::PmPictureClick() {
    // As the page does, the picture shows the text field as it is now.
    Refresh();
    const TRefreshInput input = lastRefreshInput_;
    TPictureSettings settings;
    settings.LogicalDpi = PaintBox->logicalDpiY();
    settings.DrawingFace = ChosenFace();
    const QSize size = PictureSize(input, settings);
    if (size.isEmpty()) {
        ShowTitleMessage(tr("画像にするものがありません"));
        return;
    }

    const std::optional<TPictureChoice> choice = services_.Dialogs->PictureChoice(this, pictureChoice_);
    if (!choice) {
        return;
    }
    pictureChoice_ = *choice;
    settings.Scale = choice->Scale;
    settings.Transparent = choice->Transparent;
    settings.TextAsOutlines = choice->TextAsOutlines;
    if (!PictureFits(size, settings.Scale)) {
        services_.Dialogs->ShowMessage(
            this, QStringLiteral("Tintrel"),
            tr("画像が%1ピクセルを超えるため保存できません。倍率を下げるか、テキストを短くしてください。")
                .arg(kLargestPictureSide),
            TMessageKind::Warning);
        return;
    }

    TFileDialogRequest request;
    request.Filter = tr("PNG 画像") + QStringLiteral("|*.png|") + tr("SVG 画像") + QStringLiteral("|*.svg");
    request.FilterIndex = pictureFileType_;
    request.DefaultExt = QLatin1String(kPictureTypes[pictureFileType_ == 2 ? 1 : 0].Extension);
    request.FileName = QStringLiteral("Sample.") + request.DefaultExt;
    request.InitialDir = pictureFolder_.isEmpty() ? LastSaveFolder() : pictureFolder_;
    const std::optional<TFileDialogAnswer> answer = services_.Dialogs->SaveFileOfType(this, request);
    if (!answer || answer->FileName.isEmpty()) {
        return;
    }
    const auto [format, target] = PictureTarget(*answer);
    pictureFileType_ = format == TPictureFormat::Svg ? 2 : 1;
    if (!MayReplaceFile(target)) {
        return;
    }

    const QFileInfo file(target);
    pictureFolder_ = file.absolutePath();
    const QByteArray bytes = PictureFile(format, input, settings);
    const QString failure = tr("画像を保存できませんでした。\n%1");
    if (bytes.isEmpty()) {
        services_.Dialogs->ShowMessage(this, QStringLiteral("Tintrel"),
                                       failure.arg(tr("画像を描けませんでした。")), TMessageKind::Error);
        return;
    }
    SaveAndReport(file, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), failure,
                  tr("画像を保存しました"));
}
