// Beside the design's gradient: the colour space, the stops and the rainbow, the presets, and
// the contrast of the coloured text against its background.
#include "window/WidgetHint.h"
#include "window/mainform.h"

#include "colorpicker/ColorDropButton.h"
#include "controls/TransBtn.h"
#include "engine/ColorStops.h"
#include "engine/Contrast.h"
#include "engine/TextUnits.h"
#include "platform/DialogService.h"
#include "store/StyleRecord.h"
#include "window/ColorLabel.h"
#include "window/ColourChoice.h"
#include "window/Cp932Text.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QMenu>
#include <QStatusBar>

#include <array>
#include <cmath>
#include <optional>
#include <utility>

namespace {

// "#RRGGBB" of a plain colour, as the colour labels show it.
QString HexOf(TColor color) {
    std::array<char, 6> hex{};
    WriteColorHex(color, hex.data());
    return QLatin1Char('#') + QString::fromLatin1(hex.data(), static_cast<qsizetype>(hex.size()));
}

// What "Fix contrast" did, in words: how many colours it made darker or lighter, and each one
// before and after.
QString FixText(const TContrastFix& fix) {
    QStringList changes;
    bool darker = false;
    for (std::size_t k = 0; k < fix.Moves.size(); ++k) {
        if (fix.Moves[k] != 0 && fix.Before[k] != fix.Colors[k]) {
            darker = fix.Moves[k] < 0;
            changes << QStringLiteral("%1→%2").arg(HexOf(fix.Before[k]), HexOf(fix.Colors[k]));
        }
    }
    const qsizetype count = changes.size();
    const QString said =
        darker ? (count == 1 ? TForm1::tr("1色を暗くして、背景の上ですべての文字を読めるようにしました")
                             : TForm1::tr("%1色を暗くして、背景の上ですべての文字を読めるようにしました"))
               : (count == 1 ? TForm1::tr("1色を明るくして、背景の上ですべての文字を読めるようにしました")
                             : TForm1::tr("%1色を明るくして、背景の上ですべての文字を読めるようにしました"));
    return (count == 1 ? said : said.arg(count)) + QStringLiteral(": ") + changes.join(QStringLiteral(", "));
}

// The captions of the spaces, in the order of TColorSpace.
const char* const kSpaceCaptions[kColorSpaceCount] = {
    QT_TRANSLATE_NOOP("TForm1", "sRGB（各色を均等に、従来どおり）"),
    QT_TRANSLATE_NOOP("TForm1", "リニアRGB（光の量で混ぜる）"),
    QT_TRANSLATE_NOOP("TForm1", "Oklab（目に均等な明るさ）"),
    QT_TRANSLATE_NOOP("TForm1", "OKLCH（色相の近い方を回る）"),
    QT_TRANSLATE_NOOP("TForm1", "OKLCH（色相の遠い方を回る）"),
};
const char* const kSpaceItemNames[kColorSpaceCount] = {"CbSpaceSrgb", "CbSpaceLinear", "CbSpaceOklab",
                                                       "CbSpaceOklch", "CbSpaceOklchLong"};

// The built-in presets: never written to the settings file unless saved as a style.
struct TPreset {
    const char* Caption;
    const char* Stops; // empty: the rainbow
    TColorSpace Space;
};
const TPreset kPresets[] = {
    {QT_TRANSLATE_NOOP("TForm1", "夕焼け"), "5B247A,E0405A,FF8C42,FFD166", csOklab},
    {QT_TRANSLATE_NOOP("TForm1", "海"), "0B3D91,1E88E5,26C6DA,80DEEA", csOklab},
    {QT_TRANSLATE_NOOP("TForm1", "炎"), "7F0000,E53935,FF9800,FFEB3B", csOklab},
    {QT_TRANSLATE_NOOP("TForm1", "パステル"), "F8BBD0,E1BEE7,BBDEFB,C8E6C9", csOklch},
    {QT_TRANSLATE_NOOP("TForm1", "虹"), "", csOklch},
};

QString RatioText(double ratio) {
    return QString::number(std::floor(ratio * 100) / 100, 'f', 2);
}

} // namespace

void TForm1::CreateColourItems() {
    PmSpace = new QMenu(tr("色空間"), this);
    PmSpace->setObjectName(QStringLiteral("PmSpace"));
    PmSpace->menuAction()->setObjectName(QStringLiteral("PmSpace"));
    SpaceGroup = new QActionGroup(this);
    SpaceGroup->setExclusive(true);
    for (int k = 0; k < kColorSpaceCount; ++k) {
        QAction* item = PmSpace->addAction(tr(kSpaceCaptions[k]));
        item->setObjectName(QLatin1String(kSpaceItemNames[k]));
        item->setCheckable(true);
        item->setData(k);
        SpaceGroup->addAction(item);
        connect(item, &QAction::triggered, this, [this, k] {
            colours_->SetSpace(static_cast<TColorSpace>(k));
            Refresh();
        });
    }
    SpaceGroup->actions().front()->setChecked(true);
    PmSpace->menuAction()->setStatusTip(tr("グラデーションの中間の色を混ぜる色空間を選びます"));

    PmStops = new QAction(tr("色を増やす…"), this);
    PmStops->setObjectName(QStringLiteral("PmStops"));
    PmStops->setStatusTip(tr("2色から16色までのグラデーションにします"));
    connect(PmStops, &QAction::triggered, this, &TForm1::PmStopsClick);

    CbRainbow = new QAction(tr("虹色"), this);
    CbRainbow->setObjectName(QStringLiteral("CbRainbow"));
    CbRainbow->setCheckable(true);
    CbRainbow->setStatusTip(tr("色相を一周させます（明るさは一定）"));
    connect(CbRainbow, &QAction::triggered, this, [this](bool on) {
        colours_->SetRainbow(on);
        Refresh();
    });

    PmPhase = new QAction(tr("虹色の始まり…"), this);
    PmPhase->setObjectName(QStringLiteral("PmPhase"));
    PmPhase->setStatusTip(tr("虹色を始める色相を選びます"));
    connect(PmPhase, &QAction::triggered, this, &TForm1::PmPhaseClick);
    colours_ = std::make_unique<TColourChoice>(*SpaceGroup, *CbRainbow);

    PmPresets = new QMenu(tr("プリセット"), this);
    PmPresets->setObjectName(QStringLiteral("PmPresets"));
    PmPresets->menuAction()->setObjectName(QStringLiteral("PmPresets"));
    for (int k = 0; k < static_cast<int>(std::size(kPresets)); ++k) {
        QAction* item = PmPresets->addAction(tr(kPresets[k].Caption));
        connect(item, &QAction::triggered, this, [this, k] { ApplyPreset(k); });
    }

    CbContrast = new QAction(tr("コントラストを確認する"), this);
    CbContrast->setObjectName(QStringLiteral("CbContrast"));
    CbContrast->setCheckable(true);
    CbContrast->setStatusTip(tr("背景に対して読みにくい文字をステータスバーに示します（WCAG 2）"));
    connect(CbContrast, &QAction::triggered, this, &TForm1::Refresh);
    PmFixContrast = new QAction(tr("コントラストを修正"), this);
    PmFixContrast->setObjectName(QStringLiteral("PmFixContrast"));
    PmFixContrast->setStatusTip(tr("すべての文字が読めるまで、各色の明るさを最小限だけ変えます"));
    connect(PmFixContrast, &QAction::triggered, this, &TForm1::PmFixContrastClick);

    // One block of the options menu, after the output kinds and the picture items.
    const QList<QAction*> options = PmOpt->actions();
    QAction* separatorBeforeTheSwitches = options.at(options.indexOf(CbOpt4) - 1);
    PmOpt->insertSeparator(separatorBeforeTheSwitches);
    PmOpt->insertActions(separatorBeforeTheSwitches, {PmSpace->menuAction(), PmStops, CbRainbow, PmPhase,
                                                      PmPresets->menuAction(), CbContrast, PmFixContrast});
    for (QMenu* menu : {PmSpace, PmPresets}) {
        connect(menu, &QMenu::hovered, this, [this](QAction* item) { ShowHint(item->statusTip()); });
    }
}

const TGradient& TForm1::ColourChoice() const {
    return colours_->Gradient();
}

std::vector<TColorStop> TForm1::StopsWithButtons() const {
    return colours_->StopsWith(JoinColor(startColor_), JoinColor(middleColor_), JoinColor(finishColor_));
}

void TForm1::SetColourChoice(const TGradient& choice) {
    colours_->Set(choice);
    const std::vector<TColorStop>& stops = colours_->Gradient().Stops;
    if (stops.size() >= kMinColorStops) {
        // The three buttons show the first, middle and last stop.
        ClBtn1->SetColor(stops.front().Color);
        ClBtn2->SetColor(stops.back().Color);
        if (stops.size() >= 3) {
            ClBtnM->SetColor(stops[stops.size() / 2].Color);
        }
    }
    const QString middleHint = stops.size() >= 3 ? tr("中間色（%1色の真ん中）").arg(stops.size()) : QString();
    SetHint(ClBtnM, middleHint);
    SetMiddleEnabled(stops.size() >= 3 || TbTriCo->Down());
    Refresh();
}

void TForm1::ApplyPreset(int index) {
    const TPreset& preset = kPresets[index];
    TStyleRecord style = CaptureStyleRecord();
    style.Space = preset.Space;
    style.Rainbow = preset.Stops[0] == '\0';
    style.Phase = 0;
    style.Stops.clear();
    style.Mirror = false;
    style.Trico = false;
    if (const std::optional<std::vector<TColorStop>> stops = ColorStopsFromText(preset.Stops)) {
        style.Stops = *stops;
        style.StartColor = stops->front().Color;
        style.FinishColor = stops->back().Color;
        style.MiddleColor = (*stops)[stops->size() / 2].Color;
    }
    ApplyStyleRecord(style);
}

void TForm1::PmStopsClick() {
    std::vector<TColorStop> stops = StopsWithButtons();
    if (stops.empty()) {
        stops.push_back({JoinColor(startColor_), -1});
        if (TbTriCo->Down()) {
            stops.push_back({JoinColor(middleColor_), -1});
        }
        stops.push_back({JoinColor(finishColor_), -1});
    }
    std::optional<std::vector<TColorStop>> edited =
        services_.Dialogs->EditStops(this, stops, *services_.ColorDialog);
    if (!edited) {
        return;
    }
    TGradient choice = colours_->Gradient();
    choice.Stops = std::move(*edited);
    if (choice.Stops.size() == 2 && choice.Stops.front().Position < 0 && choice.Stops.back().Position < 0) {
        // Two colours are the design's start and finish.
        ClBtn1->SetColor(choice.Stops.front().Color);
        ClBtn2->SetColor(choice.Stops.back().Color);
        choice.Stops.clear();
    }
    SetColourChoice(choice);
}

void TForm1::PmPhaseClick() {
    const bool rainbowBefore = colours_->Gradient().Rainbow;
    const double phaseBefore = colours_->Gradient().Phase;
    const auto show = [this](bool rainbow, double phase) {
        colours_->SetRainbow(rainbow, phase);
        Refresh();
    };
    const std::optional<int> chosen =
        services_.Dialogs->ChoosePhase(this, static_cast<int>(std::lround(colours_->Gradient().Phase)),
                                       [&show](int degrees) { show(true, degrees); });
    if (chosen) {
        show(true, *chosen);
    } else {
        show(rainbowBefore, phaseBefore);
    }
}

QString TForm1::ContrastNote(const TRefreshInput& input) const {
    if (!CbContrast->isChecked()) {
        return {};
    }
    const int n = UnitCount(input.Text, input.Clusters);
    const TContrastReport report =
        CheckContrast(input.Gradient, n, input.Background,
                      ContrastNeedOf(input.Html.SizeStep, input.Html.FirstLetterLarger));
    if (report.Passes() || report.Lowest.Index == 0) {
        return {};
    }
    TUnitWalk walk(input.Text, input.Clusters);
    TTextUnit unit;
    for (int i = 1; i <= report.Lowest.Index; ++i) {
        unit = walk.Next();
    }
    const QString character =
        unit.IsCluster() ? QString::fromUtf8(unit.Utf8.data(), static_cast<qsizetype>(unit.Utf8.size()))
                         : FromCp932(unit.Bytes);
    return tr("読みにくい文字%1個: %2文字目「%3」のコントラスト %4:1")
        .arg(report.Failures)
        .arg(report.Lowest.Index)
        .arg(character, RatioText(report.Lowest.Ratio));
}

void TForm1::PmFixContrastClick() {
    const TRefreshInput input = CurrentRefreshInput();
    const int n = UnitCount(input.Text, input.Clusters);
    const TContrastNeed need = ContrastNeedOf(input.Html.SizeStep, input.Html.FirstLetterLarger);
    if (CheckContrast(input.Gradient, n, input.Background, need).Passes()) {
        // Nothing to fix, the rainbow's included: the colours stay as they are.
        ShowResult(tr("すべての文字が読めるので、色は変えていません"));
        return;
    }
    const TContrastFix fix = FixContrast(input.Gradient, n, input.Background, need);
    if (fix.Rainbow || !fix.Passes) {
        ShowResult(fix.Rainbow ? tr("虹色は明るさが一定のため、コントラストを修正できません")
                               : tr("この背景ではすべての文字を読めるようにはできません"));
        return;
    }
    if (fix.Gradient.Stops.size() >= kMinColorStops) {
        TGradient choice = colours_->Gradient();
        choice.Stops = fix.Gradient.Stops;
        SetColourChoice(choice);
    } else {
        ClBtn1->SetColor(JoinColor(fix.Gradient.Start));
        ClBtn2->SetColor(JoinColor(fix.Gradient.Finish));
        if (fix.Gradient.Mode == gmThreeColor) {
            ClBtnM->SetColor(JoinColor(fix.Gradient.Middle));
        }
    }
    Refresh();
    ShowResult(FixText(fix));
}
