// Where the window goes among the screens: a table over saved positions, screen sizes, scales
// and screen layouts. Positions and areas are in logical pixels, so a scale divides the screen.
#include "window/WindowPlacement.h"

#include <QtTest>

#include <optional>

class WindowPlacementTest : public QObject {
    Q_OBJECT
private slots:
    void theWholeFrameLandsInsideOneScreen_data();
    void theWholeFrameLandsInsideOneScreen();
};

void WindowPlacementTest::theWholeFrameLandsInsideOneScreen_data() {
    QTest::addColumn<QPoint>("saved");
    QTest::addColumn<QList<QRect>>("screens"); // in device pixels, divided by the scale
    QTest::addColumn<int>("scale");
    QTest::addColumn<QPoint>("expected"); // (-1, -1): on no screen
    const QRect wide(0, 0, 1600, 1000);
    const QList<QRect> one{wide};
    const QList<QRect> two{wide, QRect(1600, 0, 1280, 1024)};
    QTest::newRow("fits: kept as saved") << QPoint(40, 30) << one << 1 << QPoint(40, 30);
    QTest::newRow("touching the corner: kept") << QPoint(1080, 644) << one << 1 << QPoint(1080, 644);
    QTest::newRow("bottom edge off") << QPoint(1400, 800) << one << 1 << QPoint(1080, 644);
    QTest::newRow("top left off") << QPoint(-50, -20) << one << 1 << QPoint(0, 0);
    QTest::newRow("saved at scale 1, started at 2") << QPoint(500, 300) << one << 2 << QPoint(280, 144);
    QTest::newRow("larger than the screen")
        << QPoint(10, 10) << QList<QRect>{QRect(0, 0, 800, 600)} << 2 << QPoint(0, 0);
    QTest::newRow("second screen, bottom off") << QPoint(2000, 900) << two << 1 << QPoint(2000, 668);
    QTest::newRow("across two screens: the larger share")
        << QPoint(1500, 100) << two << 1 << QPoint(1600, 100);
    QTest::newRow("on no screen") << QPoint(30000, 30000) << two << 1 << QPoint(-1, -1);
}

void WindowPlacementTest::theWholeFrameLandsInsideOneScreen() {
    QFETCH(QPoint, saved);
    QFETCH(QList<QRect>, screens);
    QFETCH(int, scale);
    QFETCH(QPoint, expected);
    QList<QRect> areas;
    for (const QRect& screen : screens) {
        areas << QRect(screen.topLeft() / scale, screen.size() / scale);
    }
    const QRect frame(saved, QSize(520, 356)); // the window's logical size at every scale
    const std::optional<QPoint> place = PlaceInsideScreens(frame, areas);
    QCOMPARE(place.value_or(QPoint(-1, -1)), expected);
}

QTEST_MAIN(WindowPlacementTest)
#include "WindowPlacementTest.moc"
