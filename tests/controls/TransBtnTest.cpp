#include "controls/TransBtn.h"
#include "controls/ControlResources.h"

#include "engine/Color.h"
#include "support/FixedSystemColors.h"

#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <memory>
#include <optional>

namespace {

constexpr QRgb Opaque(TColor color) {
    return qRgb(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF));
}

// Stand-ins for the desktop colours, all different from each other and from the parent colour.
constexpr QRgb kFace = Opaque(TFixedSystemColors::Face);
constexpr QRgb kShadow = Opaque(TFixedSystemColors::Shadow);
constexpr QRgb kHighlight = Opaque(TFixedSystemColors::Highlight);
constexpr QRgb kDarkShadow = Opaque(TFixedSystemColors::DarkShadow);
constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kParent = 0xFF0A141E; // what the parent painted behind the button
constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kGreen = 0xFF00FF00;
constexpr QRgb kBlue = 0xFF0000FF;
constexpr QRgb kSilver = 0xFFC0C0C0;

// The button drawn over a parent that painted kParent.
QImage Render(const TTransparentButton& button) {
    QImage image(button.size(), QImage::Format_RGB32);
    image.fill(kParent);
    QPainter painter(&image);
    button.Paint(painter);
    return image;
}

// A strip of cells filled with the given colours, each with a silver bottom-left pixel (its
// transparent colour).
QImage Strip(int cellWidth, int height, std::initializer_list<QRgb> cells) {
    QImage strip(cellWidth * static_cast<int>(cells.size()), height, QImage::Format_RGB32);
    int left = 0;
    for (const QRgb colour : cells) {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < cellWidth; ++x) {
                strip.setPixel(left + x, y, colour);
            }
        }
        strip.setPixel(left, height - 1, kSilver);
        left += cellWidth;
    }
    return strip;
}

// The bounding box of every pixel of `colour`.
QRect FindColour(const QImage& image, QRgb colour) {
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == colour) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    return box;
}

int CountColour(const QImage& image, QRgb colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += image.pixel(x, y) == colour ? 1 : 0;
        }
    }
    return count;
}

QFont PlainFont() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

enum class State { Rest, Hot, HotPressed, PressedElsewhere, Down };

void Enter(TTransparentButton& button, State state) {
    if (state == State::Hot || state == State::HotPressed) {
        button.HandleEnter();
    }
    if (state == State::HotPressed || state == State::PressedElsewhere) {
        button.HandlePress(Qt::LeftButton, {}, 5, 5);
    }
    if (state == State::Down) {
        button.SetDown(true);
    }
}

} // namespace

class TransBtnTest : public QObject {
    Q_OBJECT

private slots:
    void init() { colors_.emplace(); }
    void cleanup() { colors_.reset(); }

    void startsWithTheDefaults();
    void glyphSetsTheCellCount_data();
    void glyphSetsTheCellCount();
    void laterCellCountDoesNotCutAgain();
    void framesFollowStyleAndState_data();
    void framesFollowStyleAndState();
    void glyphSitsWhereTheAlignmentPutsIt_data();
    void glyphSitsWhereTheAlignmentPutsIt();
    void pictureFollowsTheState_data();
    void pictureFollowsTheState();
    void disabledOneCellGlyphIsEmbossed();
    void captionShowsTheAcceleratorUnderlined();
    void disabledCaptionIsEtched();
    void wordWrapBreaksALongCaption();

    void clickRaisesEventsInOrder();
    void pressTracksThePointer();
    void otherButtonsDoNotClick();
    void doubleClickIsTwoPresses();
    void secondPressWhileHeldIsIgnored();
    void disablingClearsEveryState();
    void downLatchesThroughTheClickHandler();
    void downButtonKeepsItsLookAfterADraggedPress();
    void pointerOverEnabledButtonMakesItHot();
    void movableButtonFollowsThePointer();
    void downMovableButtonDoesNotFollowAHoveringPointer();
    void popupMenuOpensBelowAndReleasesTheButton_data();
    void popupMenuOpensBelowAndReleasesTheButton();
    void popupMenuReferenceClearsWhenTheMenuGoes();
    void clickOnTheButtonClosesItsMenuWithoutAClick();
    void acceleratorClicks_data();
    void acceleratorClicks();
    void altLetterClicksThroughTheWindow();
    void glyphResourcesFitTheirButtons_data();
    void glyphResourcesFitTheirButtons();

private:
    std::optional<TFixedSystemColors> colors_;
};

void TransBtnTest::startsWithTheDefaults() {
    TTransparentButton button;
    QCOMPARE(button.geometry(), QRect(0, 0, 40, 40));
    QVERIFY(button.AutoGray());
    QCOMPARE(button.BorderWidth(), 1);
    QVERIFY(button.Caption().isEmpty());
    QVERIFY(!button.Down());
    QCOMPARE(button.FrameStyle(), fsExplorer);
    QVERIFY(button.Glyph().isNull());
    QCOMPARE(button.NumGlyphs(), 1);
    QCOMPARE(button.PopUpMenu(), nullptr);
    QVERIFY(button.ShowPressed());
    QCOMPARE(button.Spacing(), 2);
    QCOMPARE(button.TextAlign(), ttaCenter);
    QVERIFY(button.Transparent());
    QVERIFY(!button.WordWrap());
    QVERIFY(!button.Movable());
    QVERIFY(!button.Held() && !button.Tracking() && !button.ShownPressed() && !button.Hot());
    QCOMPARE(button.Images().GlyphImages.Count(), 0);
    // The parent shows through everything the button does not draw.
    QVERIFY(!button.autoFillBackground());
    QVERIFY(!button.testAttribute(Qt::WA_OpaquePaintEvent));
    QCOMPARE(Render(button).pixel(20, 20), kParent);
}

void TransBtnTest::glyphSetsTheCellCount_data() {
    QTest::addColumn<QSize>("glyph");
    QTest::addColumn<int>("cellsBefore");
    QTest::addColumn<int>("cells");
    QTest::addColumn<int>("images");
    QTest::addColumn<int>("cellWidth");
    QTest::newRow("36x18 gives two cells") << QSize(36, 18) << 1 << 2 << 4 << 18;
    QTest::newRow("19x21 keeps one cell") << QSize(19, 21) << 1 << 1 << 3 << 19;
    QTest::newRow("19x21 keeps two cells") << QSize(19, 21) << 2 << 2 << 4 << 9;
    QTest::newRow("100x20 is five squares: one cell") << QSize(100, 20) << 3 << 1 << 3 << 100;
    QTest::newRow("64x16 gives four cells") << QSize(64, 16) << 1 << 4 << 6 << 16;
    QTest::newRow("16x16 gives one cell") << QSize(16, 16) << 2 << 1 << 3 << 16;
}

void TransBtnTest::glyphSetsTheCellCount() {
    QFETCH(QSize, glyph);
    QFETCH(int, cellsBefore);
    QFETCH(int, cells);
    QFETCH(int, images);
    QFETCH(int, cellWidth);
    TTransparentButton button;
    button.SetNumGlyphs(cellsBefore);
    QImage strip(glyph, QImage::Format_RGB32);
    strip.fill(kRed);
    button.SetGlyph(strip);
    QCOMPARE(button.NumGlyphs(), cells);
    QCOMPARE(button.Images().GlyphImages.Count(), images);
    QCOMPARE(button.Images().GlyphImages.Width(), cellWidth);
}

void TransBtnTest::laterCellCountDoesNotCutAgain() {
    TTransparentButton button;
    button.SetFrameStyle(fsNone);
    button.SetAutoGray(false);
    button.SetGlyph(Strip(18, 18, {kRed, kBlue}));
    button.SetNumGlyphs(1);
    QCOMPARE(button.Images().GlyphImages.Count(), 4);
    // Placed as one 36-pixel cell, drawn as the 18-pixel cell of the last build.
    QCOMPARE(button.CurrentLayout().GX, 2);
    QCOMPARE(FindColour(Render(button), kRed), QRect(2, 11, 18, 18));
}

void TransBtnTest::framesFollowStyleAndState_data() {
    QTest::addColumn<int>("style");
    QTest::addColumn<bool>("transparent");
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("showPressed");
    QTest::addColumn<int>("borderWidth");
    QTest::addColumn<QPoint>("pixel");
    QTest::addColumn<uint>("expected");
    const auto rest = static_cast<int>(State::Rest);
    const auto hot = static_cast<int>(State::Hot);
    const auto pressed = static_cast<int>(State::HotPressed);
    const auto elsewhere = static_cast<int>(State::PressedElsewhere);
    const auto down = static_cast<int>(State::Down);
    // A 20 x 20 button: (0, 0) and (19, 19) are the outer ring, (1, 1) and (18, 18) the next.
    QTest::newRow("explorer at rest draws nothing")
        << int(fsExplorer) << true << rest << true << 1 << QPoint(0, 0) << uint(kParent);
    QTest::newRow("explorer at rest leaves the middle")
        << int(fsExplorer) << true << rest << true << 1 << QPoint(10, 10) << uint(kParent);
    QTest::newRow("explorer hot is raised (top-left)")
        << int(fsExplorer) << true << hot << true << 1 << QPoint(0, 0) << uint(kHighlight);
    QTest::newRow("explorer hot is raised (bottom-right)")
        << int(fsExplorer) << true << hot << true << 1 << QPoint(19, 19) << uint(kShadow);
    QTest::newRow("explorer hot top-right corner is the bottom colour")
        << int(fsExplorer) << true << hot << true << 1 << QPoint(19, 0) << uint(kShadow);
    QTest::newRow("explorer hot frame is one ring")
        << int(fsExplorer) << true << hot << true << 1 << QPoint(1, 1) << uint(kParent);
    QTest::newRow("explorer hot with border 2")
        << int(fsExplorer) << true << hot << true << 2 << QPoint(1, 1) << uint(kHighlight);
    QTest::newRow("explorer pressed is sunken")
        << int(fsExplorer) << true << pressed << true << 1 << QPoint(0, 0) << uint(kShadow);
    QTest::newRow("explorer pressed is sunken (bottom-right)")
        << int(fsExplorer) << true << pressed << true << 1 << QPoint(19, 19) << uint(kHighlight);
    QTest::newRow("explorer pressed without ShowPressed is raised")
        << int(fsExplorer) << true << pressed << false << 1 << QPoint(0, 0) << uint(kHighlight);
    QTest::newRow("explorer pressed away from the pointer: no frame")
        << int(fsExplorer) << true << elsewhere << true << 1 << QPoint(0, 0) << uint(kParent);
    QTest::newRow("explorer down is sunken without the pointer")
        << int(fsExplorer) << true << down << true << 1 << QPoint(0, 0) << uint(kShadow);
    QTest::newRow("explorer opaque fills with face")
        << int(fsExplorer) << false << rest << true << 1 << QPoint(10, 10) << uint(kFace);
    QTest::newRow("regular at rest: outer raised ring")
        << int(fsRegular) << true << rest << true << 1 << QPoint(0, 0) << uint(kHighlight);
    QTest::newRow("regular at rest: outer ring bottom")
        << int(fsRegular) << true << rest << true << 1 << QPoint(19, 19) << uint(kBlack);
    QTest::newRow("regular at rest: inner ring top")
        << int(fsRegular) << true << rest << true << 1 << QPoint(1, 1) << uint(kFace);
    QTest::newRow("regular at rest: inner ring bottom")
        << int(fsRegular) << true << rest << true << 1 << QPoint(18, 18) << uint(kShadow);
    QTest::newRow("regular transparent leaves the middle")
        << int(fsRegular) << true << rest << true << 1 << QPoint(10, 10) << uint(kParent);
    QTest::newRow("regular opaque fills the middle")
        << int(fsRegular) << false << rest << true << 1 << QPoint(10, 10) << uint(kFace);
    QTest::newRow("regular pressed: outer ring top")
        << int(fsRegular) << true << pressed << true << 1 << QPoint(0, 0) << uint(kBlack);
    QTest::newRow("regular pressed: inner ring top")
        << int(fsRegular) << true << pressed << true << 1 << QPoint(1, 1) << uint(kShadow);
    QTest::newRow("regular pressed: inner ring bottom")
        << int(fsRegular) << true << pressed << true << 1 << QPoint(18, 18) << uint(kFace);
    QTest::newRow("regular pressed without ShowPressed: base outline only")
        << int(fsRegular) << true << pressed << false << 1 << QPoint(1, 1) << uint(kBlack);
    QTest::newRow("regular pressed without ShowPressed: corner untouched")
        << int(fsRegular) << true << pressed << false << 1 << QPoint(0, 0) << uint(kParent);
    QTest::newRow("indent at rest: outer ring")
        << int(fsIndent) << true << rest << true << 1 << QPoint(0, 0) << uint(kShadow);
    QTest::newRow("indent at rest: base highlight")
        << int(fsIndent) << true << rest << true << 1 << QPoint(1, 1) << uint(kHighlight);
    QTest::newRow("indent at rest: base shadow corner")
        << int(fsIndent) << true << rest << true << 1 << QPoint(18, 18) << uint(kShadow);
    QTest::newRow("indent at rest: outer ring bottom")
        << int(fsIndent) << true << rest << true << 1 << QPoint(19, 19) << uint(kHighlight);
    QTest::newRow("none pressed draws no frame")
        << int(fsNone) << true << pressed << true << 1 << QPoint(0, 0) << uint(kParent);
    QTest::newRow("none opaque fills")
        << int(fsNone) << false << pressed << true << 1 << QPoint(0, 0) << uint(kFace);
    QTest::newRow("light at rest ignores the border width")
        << int(fsLight) << true << rest << true << 3 << QPoint(1, 1) << uint(kParent);
    QTest::newRow("light at rest") << int(fsLight) << true << rest << true << 3 << QPoint(0, 0)
                                   << uint(kHighlight);
    QTest::newRow("light pressed") << int(fsLight) << true << pressed << true << 1 << QPoint(19, 19)
                                   << uint(kHighlight);
    QTest::newRow("dark at rest") << int(fsDark) << true << rest << true << 1 << QPoint(19, 19)
                                  << uint(kDarkShadow);
    QTest::newRow("dark pressed") << int(fsDark) << true << pressed << true << 1 << QPoint(0, 0)
                                  << uint(kDarkShadow);
    QTest::newRow("dark pressed bottom is face")
        << int(fsDark) << true << pressed << true << 1 << QPoint(19, 19) << uint(kFace);
    QTest::newRow("mono at rest") << int(fsMono) << true << rest << true << 1 << QPoint(0, 0)
                                  << uint(kHighlight);
    QTest::newRow("mono at rest bottom")
        << int(fsMono) << true << rest << true << 1 << QPoint(19, 19) << uint(kDarkShadow);
    QTest::newRow("mono pressed") << int(fsMono) << true << pressed << true << 1 << QPoint(0, 0)
                                  << uint(kDarkShadow);
}

void TransBtnTest::framesFollowStyleAndState() {
    QFETCH(int, style);
    QFETCH(bool, transparent);
    QFETCH(int, state);
    QFETCH(bool, showPressed);
    QFETCH(int, borderWidth);
    QFETCH(QPoint, pixel);
    QFETCH(uint, expected);
    TTransparentButton button;
    button.resize(20, 20);
    button.SetFrameStyle(static_cast<TFrameStyle>(style));
    button.SetTransparent(transparent);
    button.SetShowPressed(showPressed);
    button.SetBorderWidth(borderWidth);
    Enter(button, static_cast<State>(state));
    QCOMPARE(Render(button).pixel(pixel), QRgb(expected));
}

void TransBtnTest::glyphSitsWhereTheAlignmentPutsIt_data() {
    QTest::addColumn<int>("align");
    QTest::addColumn<bool>("pressed");
    QTest::addColumn<bool>("showPressed");
    QTest::addColumn<QPoint>("topLeft");
    // A 40 x 40 button, a 15 x 13 glyph, spacing 2.
    QTest::newRow("top left") << int(ttaTopLeft) << false << true << QPoint(12, 25);
    QTest::newRow("top") << int(ttaTop) << false << true << QPoint(12, 25);
    QTest::newRow("top right") << int(ttaTopRight) << false << true << QPoint(12, 25);
    QTest::newRow("right") << int(ttaRight) << false << true << QPoint(2, 13);
    QTest::newRow("bottom right") << int(ttaBottomRight) << false << true << QPoint(12, 2);
    QTest::newRow("bottom") << int(ttaBottom) << false << true << QPoint(12, 2);
    QTest::newRow("bottom left") << int(ttaBottomLeft) << false << true << QPoint(12, 2);
    QTest::newRow("left") << int(ttaLeft) << false << true << QPoint(23, 13);
    QTest::newRow("center") << int(ttaCenter) << false << true << QPoint(12, 13);
    QTest::newRow("pressed moves one down and right") << int(ttaCenter) << true << true << QPoint(13, 14);
    QTest::newRow("pressed without ShowPressed stays") << int(ttaCenter) << true << false << QPoint(12, 13);
}

void TransBtnTest::glyphSitsWhereTheAlignmentPutsIt() {
    QFETCH(int, align);
    QFETCH(bool, pressed);
    QFETCH(bool, showPressed);
    QFETCH(QPoint, topLeft);
    TTransparentButton button;
    button.SetFrameStyle(fsNone);
    button.SetAutoGray(false);
    button.SetTextAlign(static_cast<TTextAlign>(align));
    button.SetShowPressed(showPressed);
    button.SetCaption(QStringLiteral("Ab"));
    button.setFont(PlainFont());
    button.SetGlyph(Strip(15, 13, {kRed}));
    if (pressed) {
        button.HandlePress(Qt::LeftButton, {}, 1, 1);
    }
    const QRect red = FindColour(Render(button), kRed);
    // The bottom-left pixel is transparent, the rest of the glyph red.
    QCOMPARE(red, QRect(topLeft, QSize(15, 13)));
}

void TransBtnTest::pictureFollowsTheState_data() {
    QTest::addColumn<int>("cells");
    QTest::addColumn<int>("style");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("state");
    QTest::addColumn<uint>("expected");
    const auto rest = static_cast<int>(State::Rest);
    const auto hot = static_cast<int>(State::Hot);
    const auto pressed = static_cast<int>(State::HotPressed);
    const uint grayOfRed = qRgb(28, 28, 28);
    QTest::newRow("explorer at rest is gray") << 1 << int(fsExplorer) << true << rest << grayOfRed;
    QTest::newRow("explorer under the pointer is in colour")
        << 1 << int(fsExplorer) << true << hot << uint(kRed);
    QTest::newRow("two cells disabled show the second") << 2 << int(fsLight) << false << rest << uint(kBlue);
    QTest::newRow("two cells disabled explorer are gray")
        << 2 << int(fsExplorer) << false << rest << grayOfRed;
    QTest::newRow("three cells pressed show the third")
        << 3 << int(fsLight) << true << pressed << uint(kGreen);
    QTest::newRow("three cells at rest show the first") << 3 << int(fsLight) << true << rest << uint(kRed);
}

void TransBtnTest::pictureFollowsTheState() {
    QFETCH(int, cells);
    QFETCH(int, style);
    QFETCH(bool, enabled);
    QFETCH(int, state);
    QFETCH(uint, expected);
    TTransparentButton button;
    button.SetFrameStyle(static_cast<TFrameStyle>(style));
    button.SetGlyph(cells == 1   ? Strip(16, 16, {kRed})
                    : cells == 2 ? Strip(16, 16, {kRed, kBlue})
                                 : Strip(16, 16, {kRed, kBlue, kGreen}));
    button.setEnabled(enabled);
    Enter(button, static_cast<State>(state));
    const QImage image = Render(button);
    const int offset = button.ShownPressed() ? 1 : 0;
    QCOMPARE(image.pixel(20 + offset, 20 + offset), QRgb(expected));
}

void TransBtnTest::disabledOneCellGlyphIsEmbossed() {
    TTransparentButton button;
    button.SetFrameStyle(fsNone);
    QImage glyph(16, 16, QImage::Format_RGB32);
    glyph.fill(kSilver);
    glyph.setPixel(3, 3, kBlack);
    glyph.setPixel(15, 8, kBlack); // last column: its highlight falls outside
    button.SetGlyph(glyph);
    button.setEnabled(false);
    const QImage image = Render(button);
    // The glyph's top-left pixel is at (12, 12).
    QCOMPARE(image.pixel(15, 15), kShadow);
    QCOMPARE(image.pixel(16, 16), kHighlight);
    QCOMPARE(image.pixel(27, 20), kShadow);
    QCOMPARE(image.pixel(28, 21), kParent);
    // The face around the ink is the picture's transparent colour.
    QCOMPARE(image.pixel(13, 13), kParent);
}

void TransBtnTest::captionShowsTheAcceleratorUnderlined() {
    TTransparentButton plain;
    plain.setFont(PlainFont());
    plain.SetFrameStyle(fsNone);
    plain.SetCaption(QStringLiteral("A"));
    TTransparentButton accelerated;
    accelerated.setFont(PlainFont());
    accelerated.SetFrameStyle(fsNone);
    accelerated.SetCaption(QStringLiteral("&A"));
    // The ampersand takes no room; the underline adds ink below the letter.
    QCOMPARE(accelerated.CaptionSize(), plain.CaptionSize());
    QVERIFY(CountColour(Render(accelerated), kBlack) > CountColour(Render(plain), kBlack));

    TTransparentButton literal;
    literal.setFont(PlainFont());
    literal.SetCaption(QStringLiteral("x&&y"));
    const QFontMetrics metrics(PlainFont());
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;
    QCOMPARE(literal.CaptionSize(),
             metrics.boundingRect(QRect(0, 0, 40, 40), flags, QStringLiteral("x&y")).size());
}

void TransBtnTest::wordWrapBreaksALongCaption() {
    TTransparentButton button;
    button.setFont(PlainFont());
    button.SetFrameStyle(fsNone);
    button.resize(40, 90);
    button.SetCaption(QStringLiteral("one two three four"));
    const int lineHeight = QFontMetrics(PlainFont()).height();
    QVERIFY(!button.WordWrap());
    QCOMPARE(button.CaptionSize().height(), lineHeight);
    QVERIFY(FindColour(Render(button), kBlack).height() <= lineHeight);

    button.SetWordWrap(true);
    QVERIFY(button.CaptionSize().height() >= 3 * lineHeight);
    QVERIFY(button.CaptionSize().width() <= 40);
    QVERIFY(FindColour(Render(button), kBlack).height() > 2 * lineHeight);
}

void TransBtnTest::disabledCaptionIsEtched() {
    TTransparentButton button;
    button.setFont(PlainFont());
    button.SetFrameStyle(fsNone);
    button.SetCaption(QStringLiteral("I"));
    button.setEnabled(false);
    const QImage image = Render(button);
    QCOMPARE(CountColour(image, kBlack), 0);
    const QRect shadow = FindColour(image, kShadow);
    const QRect highlight = FindColour(image, kHighlight);
    QVERIFY(!shadow.isEmpty());
    // The highlight pass lies one pixel right and down, under the shadow pass.
    QCOMPARE(highlight.bottomRight(), shadow.bottomRight() + QPoint(1, 1));
}

namespace {

// A shown window holding one button at (10, 10), so mouse events take the real route.
struct Window {
    QWidget parent;
    TTransparentButton* button = new TTransparentButton(&parent);
    QStringList events;

    Window() {
        parent.resize(200, 150);
        button->move(10, 10);
        QObject::connect(button, &TTransparentButton::clicked, &parent, [this] { events << "click"; });
        QObject::connect(button, &TTransparentButton::mouseDown, &parent,
                         [this](TTransparentButton*, Qt::MouseButton, Qt::KeyboardModifiers, int x, int y) {
                             events << QStringLiteral("down %1,%2").arg(x).arg(y);
                         });
        QObject::connect(button, &TTransparentButton::mouseUp, &parent,
                         [this](TTransparentButton*, Qt::MouseButton, Qt::KeyboardModifiers, int x, int y) {
                             events << QStringLiteral("up %1,%2").arg(x).arg(y);
                         });
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
    }
};

} // namespace

void TransBtnTest::clickRaisesEventsInOrder() {
    Window w;
    QSignalSpy clicked(w.button, &TTransparentButton::clicked);
    QTest::mouseClick(w.button, Qt::LeftButton, {}, QPoint(5, 6));
    QCOMPARE(w.events, (QStringList{"down 5,6", "click", "up 5,6"}));
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(clicked.at(0).at(0).value<TTransparentButton*>(), w.button);
    QVERIFY(!w.button->Held() && !w.button->Tracking() && !w.button->ShownPressed());
}

void TransBtnTest::pressTracksThePointer() {
    Window w;
    QSignalSpy moved(w.button, &TTransparentButton::mouseMove);
    QTest::mousePress(w.button, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(w.button->Held() && w.button->Tracking() && w.button->ShownPressed());
    QTest::mouseMove(w.button, QPoint(60, 5));
    QVERIFY(!w.button->ShownPressed());
    QVERIFY(w.button->Tracking());
    QTest::mouseMove(w.button, QPoint(6, 6));
    QVERIFY(w.button->ShownPressed());
    QTest::mouseMove(w.button, QPoint(60, 5));
    QTest::mouseRelease(w.button, Qt::LeftButton, {}, QPoint(60, 5));
    QCOMPARE(w.events, (QStringList{"down 5,5", "up 60,5"}));
    QVERIFY(!w.button->Tracking() && !w.button->ShownPressed());
    QVERIFY(moved.count() >= 3);
}

void TransBtnTest::otherButtonsDoNotClick() {
    Window w;
    QTest::mouseClick(w.button, Qt::RightButton, {}, QPoint(5, 5));
    QCOMPARE(w.events, (QStringList{"down 5,5", "up 5,5"}));
}

void TransBtnTest::doubleClickIsTwoPresses() {
    Window w;
    QTest::mouseClick(w.button, Qt::LeftButton, {}, QPoint(5, 5));
    QMouseEvent doubleClick(QEvent::MouseButtonDblClick, QPointF(5, 5), w.button->mapToGlobal(QPointF(5, 5)),
                            Qt::LeftButton, Qt::LeftButton, {});
    QApplication::sendEvent(w.button, &doubleClick);
    QTest::mouseRelease(w.button, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(w.events, (QStringList{"down 5,5", "click", "up 5,5", "down 5,5", "click", "up 5,5"}));
}

void TransBtnTest::secondPressWhileHeldIsIgnored() {
    TTransparentButton button;
    QSignalSpy down(&button, &TTransparentButton::mouseDown);
    QSignalSpy up(&button, &TTransparentButton::mouseUp);
    button.HandlePress(Qt::LeftButton, {}, 5, 5);
    button.HandlePress(Qt::RightButton, {}, 6, 6);
    QCOMPARE(down.count(), 1);
    button.HandleRelease(Qt::RightButton, {}, 6, 6);
    button.HandleRelease(Qt::LeftButton, {}, 5, 5);
    QCOMPARE(up.count(), 1);
}

void TransBtnTest::disablingClearsEveryState() {
    TTransparentButton button;
    QSignalSpy up(&button, &TTransparentButton::mouseUp);
    button.HandleEnter();
    button.HandlePress(Qt::LeftButton, {}, 5, 5);
    button.setEnabled(false);
    QVERIFY(!button.Held() && !button.Tracking() && !button.ShownPressed() && !button.Hot());
    button.setEnabled(true);
    button.HandleRelease(Qt::LeftButton, {}, 5, 5);
    QCOMPARE(up.count(), 0);
}

void TransBtnTest::downLatchesThroughTheClickHandler() {
    Window w;
    QObject::connect(w.button, &TTransparentButton::clicked, w.button,
                     [](TTransparentButton* sender) { sender->SetDown(!sender->Down()); });
    QTest::mouseClick(w.button, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(w.button->Down());
    QVERIFY(w.button->ShownPressed() && w.button->Tracking());
    QCOMPARE(w.events, (QStringList{"down 5,5", "click"})); // a latched release raises no mouseUp
    QTest::mouseClick(w.button, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(!w.button->Down());
    QVERIFY(!w.button->ShownPressed() && !w.button->Tracking());
    QCOMPARE(w.events.last(), QStringLiteral("up 5,5"));
}

void TransBtnTest::downButtonKeepsItsLookAfterADraggedPress() {
    Window w;
    w.button->SetDown(true);
    QTest::mousePress(w.button, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseMove(w.button, QPoint(60, 5));
    QVERIFY(!w.button->ShownPressed());
    QTest::mouseRelease(w.button, Qt::LeftButton, {}, QPoint(60, 5));
    QVERIFY(w.button->Down());
    QVERIFY(w.button->ShownPressed());
    QCOMPARE(w.events, QStringList{"down 5,5"});
}

void TransBtnTest::pointerOverEnabledButtonMakesItHot() {
    TTransparentButton button;
    QSignalSpy entered(&button, &TTransparentButton::mouseEnter);
    QSignalSpy exited(&button, &TTransparentButton::mouseExit);
    button.HandleEnter();
    QVERIFY(button.Hot());
    button.HandleLeave();
    QVERIFY(!button.Hot());
    button.setEnabled(false);
    button.HandleEnter();
    QVERIFY(!button.Hot());
    QCOMPARE(entered.count(), 1);
    QCOMPARE(exited.count(), 1);

    Window w;
    QSignalSpy windowEntered(w.button, &TTransparentButton::mouseEnter);
    QTest::mouseMove(&w.parent, QPoint(150, 100));
    QTest::mouseMove(&w.parent, QPoint(20, 20));
    QTRY_VERIFY(w.button->Hot());
    QCOMPARE(windowEntered.count(), 1);
    QTest::mouseMove(&w.parent, QPoint(150, 100));
    QTRY_VERIFY(!w.button->Hot());
}

void TransBtnTest::movableButtonFollowsThePointer() {
    Window w;
    w.button->SetMovable(true);
    QTest::mousePress(w.button, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseMove(w.button, QPoint(15, 8));
    QCOMPARE(w.button->pos(), QPoint(20, 13));
    QTest::mouseRelease(w.button, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(w.button->pos(), QPoint(20, 13));
}

void TransBtnTest::downMovableButtonDoesNotFollowAHoveringPointer() {
    TTransparentButton button;
    button.move(10, 10);
    button.SetMovable(true);
    button.SetDown(true);
    button.HandleMove({}, 15, 8);
    QCOMPARE(button.pos(), QPoint(10, 10));
}

void TransBtnTest::popupMenuOpensBelowAndReleasesTheButton_data() {
    QTest::addColumn<Qt::MouseButton>("mouseButton");
    QTest::addColumn<bool>("down");
    QTest::addColumn<QStringList>("events");
    QTest::newRow("left") << Qt::LeftButton << false << QStringList{"down 5,5", "up 5,5"};
    QTest::newRow("right") << Qt::RightButton << false << QStringList{"down 5,5", "up 5,5"};
    QTest::newRow("latched") << Qt::LeftButton << true << QStringList{"down 5,5"};
}

void TransBtnTest::popupMenuOpensBelowAndReleasesTheButton() {
    QFETCH(Qt::MouseButton, mouseButton);
    QFETCH(bool, down);
    QFETCH(QStringList, events);
    Window w;
    QMenu menu;
    menu.addAction(QStringLiteral("One"));
    w.button->SetPopUpMenu(&menu);
    w.button->SetDown(down);
    QPoint shownAt;
    QTimer::singleShot(0, &menu, [&] {
        shownAt = menu.pos();
        menu.close();
    });
    QTest::mousePress(w.button, mouseButton, {}, QPoint(5, 5));
    QCOMPARE(shownAt, w.button->mapToGlobal(QPoint(0, w.button->height())));
    QCOMPARE(w.button->ShownPressed(), down);
    QVERIFY(!w.button->Held());
    QTest::mouseRelease(w.button, mouseButton, {}, QPoint(5, 5));
    QCOMPARE(w.events, events); // no click, and the real release changes nothing
}

void TransBtnTest::clickOnTheButtonClosesItsMenuWithoutAClick() {
    Window w;
    QMenu menu;
    menu.addAction(QStringLiteral("One"));
    w.button->SetPopUpMenu(&menu);
    int opened = 0;
    QWindow* window = w.parent.windowHandle();
    const QPoint onButton(15, 15);
    connect(&menu, &QMenu::aboutToShow, &menu, [&] {
        ++opened;
        // A real click on the button, through the window system: the open menu sees it first.
        QTimer::singleShot(0, &menu, [&] {
            QTest::mousePress(window, Qt::LeftButton, {}, onButton);
            if (menu.isVisible()) {
                menu.close();
            }
        });
    });
    QTest::mousePress(window, Qt::LeftButton, {}, onButton);
    QTest::mouseRelease(window, Qt::LeftButton, {}, onButton);
    QCOMPARE(opened, 1);
    QCOMPARE(w.events, (QStringList{"down 5,5", "up 5,5"}));
}

void TransBtnTest::popupMenuReferenceClearsWhenTheMenuGoes() {
    TTransparentButton button;
    auto menu = std::make_unique<QMenu>();
    button.SetPopUpMenu(menu.get());
    menu.reset();
    QCOMPARE(button.PopUpMenu(), nullptr);
    button.HandlePress(Qt::LeftButton, {}, 5, 5); // must not open anything
    QVERIFY(button.Held());
}

void TransBtnTest::acceleratorClicks_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QChar>("typed");
    QTest::addColumn<bool>("handled");
    QTest::newRow("lower case of the accelerator") << "&A" << true << QChar('a') << true;
    QTest::newRow("same case") << "Co&py" << true << QChar('p') << true;
    QTest::newRow("upper case of a lower-case accelerator") << "Co&py" << true << QChar('P') << true;
    QTest::newRow("another letter") << "&A" << true << QChar('b') << false;
    QTest::newRow("disabled passes it on") << "&A" << false << QChar('a') << false;
    QTest::newRow("doubled ampersand is no accelerator") << "&&A" << true << QChar('a') << false;
    QTest::newRow("no caption") << "" << true << QChar('a') << false;
}

void TransBtnTest::acceleratorClicks() {
    QFETCH(QString, caption);
    QFETCH(bool, enabled);
    QFETCH(QChar, typed);
    QFETCH(bool, handled);
    TTransparentButton button;
    button.SetCaption(caption);
    button.setEnabled(enabled);
    QSignalSpy clicked(&button, &TTransparentButton::clicked);
    QCOMPARE(button.HandleDialogChar(typed), handled);
    QCOMPARE(clicked.count(), handled ? 1 : 0);
}

void TransBtnTest::altLetterClicksThroughTheWindow() {
    Window w;
    w.button->SetCaption(QStringLiteral("&Save"));
    w.parent.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w.parent));
    QSignalSpy clicked(w.button, &TTransparentButton::clicked);
    QTest::keyClick(&w.parent, Qt::Key_S, Qt::AltModifier);
    QCOMPARE(clicked.count(), 1);
    w.button->setEnabled(false);
    QTest::keyClick(&w.parent, Qt::Key_S, Qt::AltModifier);
    QCOMPARE(clicked.count(), 1);
}

void TransBtnTest::glyphResourcesFitTheirButtons_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("cells");
    QTest::newRow("TbInv") << "TbInv" << QSize(19, 21) << 1;
    QTest::newRow("TbMirror") << "TbMirror" << QSize(23, 21) << 1;
    QTest::newRow("TbTriCo") << "TbTriCo" << QSize(23, 21) << 1;
    QTest::newRow("TbCopy") << "TbCopy" << QSize(36, 18) << 2;
    QTest::newRow("TbSave") << "TbSave" << QSize(40, 20) << 2;
    QTest::newRow("TbOption") << "TbOption" << QSize(19, 18) << 1;
    QTest::newRow("TbBold") << "TbBold" << QSize(16, 16) << 1;
    QTest::newRow("TbItalic") << "TbItalic" << QSize(16, 16) << 1;
    QTest::newRow("TbUnder") << "TbUnder" << QSize(16, 16) << 1;
    QTest::newRow("TbStrike") << "TbStrike" << QSize(16, 16) << 1;
}

void TransBtnTest::glyphResourcesFitTheirButtons() {
    QFETCH(QString, name);
    QFETCH(QSize, size);
    QFETCH(int, cells);
    const QImage glyph = LoadResourceBitmap(GlyphResourcePath(name));
    QCOMPARE(glyph.size(), size);
    // The corner that gives the transparent colour is also the emboss's background.
    QCOMPARE(glyph.pixel(0, size.height() - 1), kSilver);
    QCOMPARE(glyph.pixel(0, 0), kSilver);
    TTransparentButton button;
    button.SetGlyph(glyph);
    QCOMPARE(button.NumGlyphs(), cells);
    // Every cell shows something besides its transparent colour.
    for (int i = 0; i < cells; ++i) {
        const TGlyphImage& cell = button.Images().GlyphImages.Image(i);
        bool drawn = false;
        for (int y = 0; y < cell.Height() && !drawn; ++y) {
            for (int x = 0; x < cell.Width() && !drawn; ++x) {
                drawn = cell.Pixel(x, y) != button.Images().GlyphImages.TransparentColor(i);
            }
        }
        QVERIFY(drawn);
    }
}

QTEST_MAIN(TransBtnTest)
#include "TransBtnTest.moc"
