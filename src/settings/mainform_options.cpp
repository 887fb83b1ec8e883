// The option group (section "Option") and the style records ("@@Prev@@" and one section per
// style) moved between the window's controls and the settings file.
#include "settings/mainform.h"

#include "engine/OrivUtil.h"
#include "platform/CodePage.h"
#include "platform/DialogService.h"
#include "settings/ColorLabel.h"
#include "settings/IniErrors.h"
#include "settings/IniGT.h"
#include "settings/PendingControls.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>

namespace {

bool IsOptionSection(std::string_view section) {
    constexpr std::string_view kOption = "Option";
    if (section.size() != kOption.size()) {
        return false;
    }
    for (std::size_t i = 0; i < section.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        if (lower(section[i]) != lower(kOption[i])) {
            return false;
        }
    }
    return true;
}

QString FromBytes(const std::string& cp932) {
    return QString::fromStdString(Cp932ToUtf8(cp932));
}

const char* const kOptionKeys[] = {"Opt3", "Opt4", "Opt5", "Opt6", "Opt7", "Opt8", "Opt9"};

} // namespace

QString TForm1::SettingsFilePath() const {
    return QString::fromStdString(IniGT->Path());
}

void TForm1::OpenSettings() {
    IniGT = std::make_unique<TIniGT>();
    IniGT->SetDefaultDir(ddApplication);
    IniGT->SetFence(fnNone);
    if (services_.SettingsFile.isEmpty()) {
        IniGT->Loaded();
    } else {
        IniGT->SetFileName(services_.SettingsFile.toStdString());
    }
}

void TForm1::ReadWindowPosition() {
    TWindowPosition position{x(), y()};
    IniGT->ReadPosition("Option", "Position", position);
    move(position.Left, position.Top);
}

void TForm1::LoadOptions(const std::string& section) {
    if (IsOptionSection(section)) {
        LoadOptionGroup();
    } else {
        LoadStyleRecord(section);
    }
}

void TForm1::SaveOptions(const std::string& section) {
    if (IsOptionSection(section)) {
        SaveOptionGroup();
    } else {
        SaveStyleRecord(section);
    }
}

QList<QAction*> TForm1::OptionItems3To9() const {
    return {CbOpt3, CbOpt4, CbOpt5, CbOpt6, CbOpt7, CbOpt8, CbOpt9};
}

void TForm1::LoadOptionGroup() {
    const TIniTransaction reading = IniGT->BeginUpdate();
    SetBaseFontSize(IniGT->ReadInteger("Option", "Opt2-1", 11));
    CbOpt1->setChecked(IniGT->ReadBool("Option", "Opt1", true));
    const QList<QAction*> items = OptionItems3To9();
    for (qsizetype i = 0; i < items.size(); ++i) {
        items[i]->setChecked(IniGT->ReadBool("Option", kOptionKeys[i], items[i] == CbOpt9));
    }
}

void TForm1::SaveOptionGroup() {
    TIniTransaction writing = IniGT->BeginUpdate();
    IniGT->EraseSection("Option");
    IniGT->WritePosition("Option", "Position", TWindowPosition{x(), y()});
    IniGT->WriteBool("Option", "Opt1", CbOpt1->isChecked());
    IniGT->WriteInteger("Option", "Opt2-1", BaseFontSize());
    const QList<QAction*> items = OptionItems3To9();
    for (qsizetype i = 0; i < items.size(); ++i) {
        IniGT->WriteBool("Option", kOptionKeys[i], items[i]->isChecked());
    }
    writing.Commit();
}

TColor TForm1::ReadStyleColor(const std::string& section, const char* key, TColor fallback,
                              QStringList& problems) {
    try {
        return IniGT->ReadColor(section, key, fallback);
    } catch (const EIniConvertError& error) {
        problems << QStringLiteral("[%1] %2=%3")
                        .arg(FromBytes(error.Section()), FromBytes(error.Key()), FromBytes(error.Value()));
        return fallback;
    }
}

void TForm1::LoadStyleRecord(const std::string& section) {
    QStringList problems;
    TColor start = clWhite;
    TColor finish = clWhite;
    TColor middle = clWhite;
    TColor background = clBtnFace;
    TFontRecord font{previewFont_.Name, previewFont_.Size, static_cast<std::uint8_t>(previewFont_.Style),
                     previewFont_.Color};
    int sizeIndex = 0;
    bool head = false;
    bool mirror = false;
    bool trico = false;
    {
        // One look at the file for the whole record.
        const TIniTransaction reading = IniGT->BeginUpdate();
        start = ReadStyleColor(section, "StartColor", 0x000000FF, problems);
        finish = ReadStyleColor(section, "FinishColor", 0x0000FFFF, problems);
        middle = ReadStyleColor(section, "MiddleColor", 0x00FFFFFF, problems);
        try {
            IniGT->ReadFont(section, "DrawFont", font);
        } catch (const EIniConvertError& error) {
            // The font keeps what it had; only its colour was unreadable.
            problems << QStringLiteral("[%1] %2=%3")
                            .arg(FromBytes(error.Section()), FromBytes(error.Key()),
                                 FromBytes(error.Value()));
        }
        sizeIndex = IniGT->ReadInteger(section, "SizeIndex", 0);
        head = IniGT->ReadBool(section, "Head", false);
        mirror = IniGT->ReadBool(section, "Mirror", false);
        trico = IniGT->ReadBool(section, "Trico", false);
        background = ReadStyleColor(section, "BGColor", clBtnFace, problems);
    }

    FlCl1->setText(QString::fromStdString(SplitColor(start).Hex));
    startColor_ = SplitColor(start);
    ClBtn1->SetColor(start);
    FlCl2->setText(QString::fromStdString(SplitColor(finish).Hex));
    finishColor_ = SplitColor(finish);
    ClBtn2->SetColor(finish);
    FlClM->setText(QString::fromStdString(SplitColor(middle).Hex));
    middleColor_ = SplitColor(middle);
    ClBtnM->SetColor(middle);

    previewFont_ = TPreviewFont{font.Name, font.Size, font.Style, font.Color};
    FCBox->SetFontName(FromBytes(previewFont_.Name));
    ApplyPreviewFontToStyleButtons();

    CbSize->setCurrentIndex(sizeIndex >= 0 && sizeIndex <= 4 ? sizeIndex : -1);
    CbHead->setChecked(head);
    TbMirror->SetDown(mirror);
    TbTriCo->SetDown(trico);
    SetMiddleEnabled(trico);
    if (trico) {
        TbMirror->SetDown(false);
    }

    backgroundColor_ = background;
    FlClBk->setText(QString::fromStdString(SplitColor(background).Hex));
    ClBtnBk->SetColor(background);

    if (!problems.isEmpty()) {
        ReportSettingsProblem(
            QStringLiteral("スタイル「%1」の色の値が正しくないため、既定の色を使いました。\n%2")
                .arg(FromBytes(section), problems.join(QLatin1Char('\n'))));
    }
}

void TForm1::SaveStyleRecord(const std::string& section) {
    TIniTransaction writing = IniGT->BeginUpdate();
    IniGT->EraseSection(section);
    IniGT->WriteFont(section, "DrawFont",
                     TFontRecord{previewFont_.Name, previewFont_.Size,
                                 static_cast<std::uint8_t>(previewFont_.Style), previewFont_.Color});
    IniGT->WriteInteger(section, "SizeIndex", CbSize->currentIndex());
    IniGT->WriteBool(section, "Head", CbHead->isChecked());
    IniGT->WriteColor(section, "StartColor", ClBtn1->Color());
    IniGT->WriteColor(section, "FinishColor", ClBtn2->Color());
    IniGT->WriteColor(section, "MiddleColor", ClBtnM->Color());
    IniGT->WriteColor(section, "BGColor", backgroundColor_);
    IniGT->WriteBool(section, "Mirror", TbMirror->Down());
    IniGT->WriteBool(section, "Trico", TbTriCo->Down());
    writing.Commit();
}

void TForm1::ReportSettingsProblem(const QString& message) {
    if (!firstShowDone_) {
        pendingMessages_ << message;
        return;
    }
    services_.Dialogs->ShowMessage(this, QStringLiteral("Tintrel"), message, TMessageKind::Warning);
}
