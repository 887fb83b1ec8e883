// The window's colour choices on their own: the space and rainbow shown in the menu, the stops
// with the buttons' colours, and the style record's keys they are kept in.
#include "window/ColourChoice.h"

#include "store/StyleRecord.h"

#include <QAction>
#include <QActionGroup>
#include <QtTest>

class ColourChoiceTest : public QObject {
    Q_OBJECT

private slots:
    void settingAChoiceShowsItInTheMenu();
    void theButtonsColoursSitAtTheEndsAndTheMiddle();
    void styleKeysGoOutAndComeBack();
};

namespace {

// A radio item per colour space and the rainbow switch.
struct TMenu {
    QObject owner;
    QActionGroup spaces{&owner};
    QAction rainbow{&owner};
    TMenu() {
        for (int k = 0; k < kColorSpaceCount; ++k) {
            auto* item = new QAction(&owner);
            item->setCheckable(true);
            item->setData(k);
            spaces.addAction(item);
        }
        rainbow.setCheckable(true);
    }
    int CheckedSpace() const { return spaces.checkedAction()->data().toInt(); }
};

} // namespace

void ColourChoiceTest::settingAChoiceShowsItInTheMenu() {
    TMenu menu;
    TColourChoice choice(menu.spaces, menu.rainbow);
    TGradient wanted;
    wanted.Space = static_cast<TColorSpace>(kColorSpaceCount - 1);
    wanted.Stops = {{0x0000FF, -1}}; // one stop is no gradient: none kept
    wanted.Rainbow = true;
    wanted.Phase = 90;
    choice.Set(wanted);
    QCOMPARE(menu.CheckedSpace(), kColorSpaceCount - 1);
    QVERIFY(menu.rainbow.isChecked());
    QVERIFY(choice.Gradient().Stops.empty());
    QCOMPARE(choice.Gradient().Phase, 90.0);
    choice.SetRainbow(false, 30);
    QVERIFY(!menu.rainbow.isChecked());
    QCOMPARE(choice.Gradient().Phase, 30.0);
}

// Each row: the stops' count and which of them take the start, middle and finish colours.
void ColourChoiceTest::theButtonsColoursSitAtTheEndsAndTheMiddle() {
    constexpr TColor kStart = 0x000001;
    constexpr TColor kMiddle = 0x000002;
    constexpr TColor kFinish = 0x000003;
    constexpr TColor kOwn = 0x0000AA;
    const struct {
        std::size_t count;
        std::vector<TColor> expected;
    } rows[] = {{0, {}},
                {2, {kStart, kFinish}},
                {3, {kStart, kMiddle, kFinish}},
                {4, {kStart, kOwn, kMiddle, kFinish}},
                {5, {kStart, kOwn, kMiddle, kOwn, kFinish}}};
    for (const auto& row : rows) {
        TMenu menu;
        TColourChoice choice(menu.spaces, menu.rainbow);
        TGradient wanted;
        wanted.Stops.assign(row.count, TColorStop{kOwn, -1});
        choice.Set(wanted);
        std::vector<TColor> colors;
        for (const TColorStop& stop : choice.StopsWith(kStart, kMiddle, kFinish)) {
            colors.push_back(stop.Color);
        }
        QCOMPARE(colors, row.expected);
    }
}

void ColourChoiceTest::styleKeysGoOutAndComeBack() {
    TMenu menu;
    TColourChoice choice(menu.spaces, menu.rainbow);
    TStyleRecord stored;
    stored.Space = static_cast<TColorSpace>(1);
    stored.Stops = {{0x111111, -1}, {0x222222, 0.4}, {0x333333, -1}};
    stored.Rainbow = true;
    stored.Phase = 200;
    choice.Set(TColourChoice::Of(stored));
    TStyleRecord captured;
    choice.CaptureInto(captured, 0x111111, 0x222222, 0x333333);
    QCOMPARE(captured.Space, stored.Space);
    QCOMPARE(captured.Stops.size(), std::size_t{3});
    QCOMPARE(captured.Stops[1].Position, 0.4);
    QVERIFY(captured.Rainbow);
    QCOMPARE(captured.Phase, 200);
}

QTEST_MAIN(ColourChoiceTest)
#include "ColourChoiceTest.moc"
