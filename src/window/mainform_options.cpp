// The option group (section "Option") and the style records ("@@Prev@@" and one section per
// style) moved between the window's controls and the settings file.
#include "window/mainform.h"

#include "colorpicker/ColorDropButton.h"
#include "controls/FontCombo.h"
#include "controls/TransBtn.h"
#include "engine/CodePage.h"
#include "engine/OrivUtil.h"
#include "platform/DialogService.h"
#include "store/IniEnvironment.h"
#include "store/IniErrors.h"
#include "store/IniGT.h"
#include "store/OptionSet.h"
#include "store/StyleLibrary.h"
#include "store/StyleRecord.h"
#include "window/ColorLabel.h"
#include "window/ColourChoice.h"
#include "window/Cp932Text.h"
#include "window/OutputChoice.h"
#include "window/WindowPlacement.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

QString TForm1::SettingsFilePath() const {
    return QString::fromStdString(IniGT->Path());
}

void TForm1::OpenSettings() {
    TIniEnvironment environment = TIniEnvironment::Current();
    environment.FileOps = services_.FileOps;
    IniGT = std::make_unique<TIniGT>(std::move(environment));
    IniGT->SetDefaultDir(ddApplication);
    IniGT->SetFence(fnNone);
    if (services_.SettingsFile.isEmpty()) {
        IniGT->Loaded();
    } else {
        IniGT->SetFileName(services_.SettingsFile.toStdString());
    }
    styles_ = std::make_unique<TStyleLibrary>(*IniGT);
}

void TForm1::ReadWindowPosition() {
    TWindowPosition position{x(), y()};
    LoadWindowPosition(*IniGT, position);
    // Held to what a screen's coordinates can reach (X11 uses 16 bits) before any arithmetic, so
    // a hand-edited number cannot overflow; such a place is on no screen anyway.
    constexpr int kFarthest = 32767;
    const int left = std::clamp(position.Left, -kFarthest, kFarthest);
    const int top = std::clamp(position.Top, -kFarthest, kFarthest);
    // Whether it lies on a screen is seen once the window has its size (KeepInsideScreens).
    move(left, top);
}

void TForm1::KeepInsideScreens(QPoint fallback) {
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens()) {
        areas << screen->availableGeometry();
    }
    // A position on no screen (one no longer there, a hand-edited number) would hide the window.
    const QPoint place = PlaceInsideScreens(frameGeometry(), areas).value_or(fallback);
    if (place != pos()) {
        move(place);
    }
}

void TForm1::LoadOptions(const std::string& section) {
    if (IsOptionSection(section)) {
        TOptionSet options;
        LoadOptionSet(*IniGT, options);
        ApplyOptionSet(options);
        return;
    }
    TStyleRecord style = CaptureStyleRecord();
    const std::vector<TBadValue> bad = LoadStyleRecord(*IniGT, section, style);
    ApplyStyleRecord(style);
    ReportBadValues(bad);
}

void TForm1::SaveOptions(const std::string& section) {
    if (IsOptionSection(section)) {
        SaveOptionSet(*IniGT, CaptureOptionSet());
    } else {
        SaveStyleRecord(*IniGT, section, CaptureStyleRecord());
    }
}

TOptionSet TForm1::CaptureOptionSet() const {
    TOptionSet options;
    options.Position = TWindowPosition{x(), y()};
    options.AskBeforeOverwrite = AskBeforeOverwrite();
    options.BaseFontSize = BaseFontSize();
    options.FaceTag = FaceTagOn();
    options.SmartPreviewOff = SmartPreviewOff();
    options.OpenAfterSave = OpenAfterSave();
    options.Comments = CommentOn();
    options.LogicalTags = LogicalTagsOn();
    options.BreakInFontTag = BreakInFontTag();
    options.UpperCaseTags = UpperCaseTags();
    options.FormattedCopy = CbOptFormatted->isChecked();
    output_->CaptureInto(options);
    return options;
}

void TForm1::ApplyOptionSet(const TOptionSet& options) {
    SetBaseFontSize(options.BaseFontSize);
    CbOpt1->setChecked(options.AskBeforeOverwrite);
    CbOpt3->setChecked(options.FaceTag);
    CbOpt4->setChecked(options.SmartPreviewOff);
    CbOpt5->setChecked(options.OpenAfterSave);
    CbOpt6->setChecked(options.Comments);
    CbOpt7->setChecked(options.LogicalTags);
    CbOpt8->setChecked(options.BreakInFontTag);
    CbOpt9->setChecked(options.UpperCaseTags);
    CbOptFormatted->setChecked(options.FormattedCopy);
    output_->ApplyFrom(options);
}

TStyleRecord TForm1::CaptureStyleRecord() const {
    TStyleRecord style;
    style.DrawFont = TFontRecord{previewFont_.Face, previewFont_.Points,
                                 static_cast<std::uint8_t>(previewFont_.Style), previewFontColor_};
    style.SizeIndex = CbSize->currentIndex();
    style.Head = CbHead->isChecked();
    style.StartColor = ClBtn1->Color();
    style.FinishColor = ClBtn2->Color();
    style.MiddleColor = ClBtnM->Color();
    style.BGColor = backgroundColor_;
    style.Mirror = TbMirror->Down();
    style.Trico = TbTriCo->Down();
    colours_->CaptureInto(style, JoinColor(startColor_), JoinColor(middleColor_), JoinColor(finishColor_));
    return style;
}

void TForm1::ApplyStyleRecord(const TStyleRecord& style) {
    // In the order the record is read: the colours first (each button's change refreshes),
    // then the font, the size step, the switches and the background.
    FlCl1->setText(QString::fromStdString(SplitColor(style.StartColor).Hex));
    startColor_ = SplitColor(style.StartColor);
    ClBtn1->SetColor(style.StartColor);
    FlCl2->setText(QString::fromStdString(SplitColor(style.FinishColor).Hex));
    finishColor_ = SplitColor(style.FinishColor);
    ClBtn2->SetColor(style.FinishColor);
    FlClM->setText(QString::fromStdString(SplitColor(style.MiddleColor).Hex));
    middleColor_ = SplitColor(style.MiddleColor);
    ClBtnM->SetColor(style.MiddleColor);

    previewFont_ = TPreviewFont{style.DrawFont.Name, style.DrawFont.Size, style.DrawFont.Style};
    previewFontColor_ = style.DrawFont.Color;
    FCBox->SetFontName(ListedFace(FromCp932(previewFont_.Face)));
    ApplyPreviewFontToStyleButtons();

    CbSize->setCurrentIndex(style.SizeIndex >= 0 && style.SizeIndex <= 4 ? style.SizeIndex : -1);
    CbHead->setChecked(style.Head);
    TbMirror->SetDown(style.Mirror);
    TbTriCo->SetDown(style.Trico);
    SetMiddleEnabled(style.Trico);
    if (style.Trico) {
        TbMirror->SetDown(false);
    }

    backgroundColor_ = style.BGColor;
    FlClBk->setText(QString::fromStdString(SplitColor(style.BGColor).Hex));
    ClBtnBk->SetColor(style.BGColor);

    SetColourChoice(TColourChoice::Of(style));
}

void TForm1::ReportBadValues(const std::vector<TBadValue>& bad) {
    if (bad.empty()) {
        return;
    }
    QStringList colours;
    QStringList faces;
    for (const TBadValue& value : bad) {
        // A face name is shown without its control characters, which are what is wrong with it.
        QString shown = FromCp932(value.Value);
        if (value.Kind == TBadValue::TKind::FaceName) {
            for (QChar& c : shown) {
                c = c.category() == QChar::Other_Control ? QChar(0xFFFD) : c;
            }
        }
        (value.Kind == TBadValue::TKind::FaceName ? faces : colours)
            << QStringLiteral("[%1] %2=%3").arg(FromCp932(value.Section), FromCp932(value.Key), shown);
    }
    if (!colours.isEmpty()) {
        ReportSettingsProblem(tr("設定ファイルの色の値が正しくないため、既定の色を使いました。\n%1")
                                  .arg(colours.join(QLatin1Char('\n'))));
    }
    if (!faces.isEmpty()) {
        ReportSettingsProblem(
            tr("設定ファイル「%1」のフォント名に制御文字が含まれているため、使いませんでした。\n%2")
                .arg(SettingsFilePath(), faces.join(QLatin1Char('\n'))));
    }
}

void TForm1::ReportSettingsProblem(const QString& message) {
    if (!firstShowDone_) {
        pendingMessages_ << message;
        return;
    }
    if (closing_) {
        ReportOnStandardError(message);
        return;
    }
    services_.Dialogs->ShowMessage(this, QStringLiteral("Tintrel"), message, TMessageKind::Warning);
}
