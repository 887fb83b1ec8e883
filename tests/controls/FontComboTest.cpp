#include "controls/FontCombo.h"
#include "controls/ControlResources.h"
#include "controls/SystemFontSource.h"

#include <QAbstractItemView>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QtTest>

#include <memory>
#include <stdexcept>

namespace {

// Faces the tests hand to the box; the test keeps a pointer to change them later.
struct FixedFaces {
    std::vector<TFontFace> Screen;
    std::vector<TFontFace> Printer;
    bool PrinterFails = false;
    int ScreenAsked = 0;
};

class FixedFontSource final : public TFontSource {
public:
    explicit FixedFontSource(std::shared_ptr<FixedFaces> faces) : faces_(std::move(faces)) {}
    std::vector<TFontFace> ScreenFaces() const override {
        ++faces_->ScreenAsked;
        return faces_->Screen;
    }
    std::vector<TFontFace> PrinterFaces() const override {
        if (faces_->PrinterFails) {
            throw std::runtime_error("no printer");
        }
        return faces_->Printer;
    }

private:
    std::shared_ptr<FixedFaces> faces_;
};

TFontFace Face(const char* name, int charSet, int pitch, int type) {
    return {QString::fromUtf8(name), charSet, pitch, type};
}

std::shared_ptr<FixedFaces> StandardFaces() {
    auto faces = std::make_shared<FixedFaces>();
    faces->Screen = {
        Face("Times New Roman", kAnsiCharSet, kVariablePitch, kTrueTypeFontType),
        Face("Arial", kAnsiCharSet, kVariablePitch, kTrueTypeFontType),
        Face("MS Sans Serif", kAnsiCharSet, kVariablePitch, kRasterFontType),
        Face("Terminal", kOemCharSet, kFixedPitch, kRasterFontType),
        Face("Courier New", kAnsiCharSet, kFixedPitch, kTrueTypeFontType),
        Face("ＭＳ ゴシック", kShiftJisCharSet, kFixedPitch, kTrueTypeFontType),
        Face("arial", kAnsiCharSet, kVariablePitch, kTrueTypeFontType), // offered twice
        Face("Symbol", kSymbolCharSet, kVariablePitch, kTrueTypeFontType),
    };
    faces->Printer = {
        Face("Courier New", kAnsiCharSet, kFixedPitch, kDeviceFontType),
        Face("Line Printer", kAnsiCharSet, kFixedPitch, kDeviceFontType),
    };
    return faces;
}

QStringList Items(const QComboBox& box) {
    QStringList items;
    for (int i = 0; i < box.count(); ++i) {
        items << box.itemText(i);
    }
    return items;
}

const QStringList kScreenNames = {"Arial",    "Courier New",     "MS Sans Serif", "Symbol",
                                  "Terminal", "Times New Roman", "ＭＳ ゴシック"};

} // namespace

class FontComboTest : public QObject {
    Q_OBJECT

private slots:
    void listsEachFaceOnceSortedByName();
    void deviceChoosesTheFaces_data();
    void deviceChoosesTheFaces();
    void acceptFontFilters_data();
    void acceptFontFilters();
    void writingFontName_data();
    void writingFontName();
    void trueTypeOnlyDropsARasterSelectionWithOneChange();
    void sameOptionsDoNotRefill();
    void installedFontsChangingRefillsTheList();
    void userSelectionClicksThenChanges();
    void itemHeightFollowsTheFont();
    void itemsAreDrawnWithIconAndName_data();
    void itemsAreDrawnWithIconAndName();
    void theClosedBoxShowsItsSelectedItem();
    void systemFontsAreListed();
    void foundryIsNotPartOfTheFaceName_data();
    void foundryIsNotPartOfTheFaceName();
    void missingResourceIsReported();
};

void FontComboTest::listsEachFaceOnceSortedByName() {
    TFontComboBox box(std::make_unique<FixedFontSource>(StandardFaces()));
    QCOMPARE(Items(box), kScreenNames);
    QCOMPARE(box.currentIndex(), -1);
    QVERIFY(box.FontName().isEmpty());
    QVERIFY(!box.isEditable());
    QCOMPARE(box.FontTypeOf(box.findText("MS Sans Serif")), kRasterFontType);
}

void FontComboTest::deviceChoosesTheFaces_data() {
    QTest::addColumn<int>("device");
    QTest::addColumn<bool>("printerFails");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<int>("courierType");
    QStringList both = kScreenNames;
    both.insert(2, "Line Printer");
    QTest::newRow("screen") << int(fdScreen) << false << kScreenNames << kTrueTypeFontType;
    QTest::newRow("printer") << int(fdPrinter) << false << QStringList{"Courier New", "Line Printer"}
                             << kDeviceFontType;
    QTest::newRow("both keep the screen's entry") << int(fdBoth) << false << both << kTrueTypeFontType;
    QTest::newRow("no printer lists nothing") << int(fdPrinter) << true << QStringList{} << 0;
    QTest::newRow("no printer with both lists the screen")
        << int(fdBoth) << true << kScreenNames << kTrueTypeFontType;
}

void FontComboTest::deviceChoosesTheFaces() {
    QFETCH(int, device);
    QFETCH(bool, printerFails);
    QFETCH(QStringList, expected);
    QFETCH(int, courierType);
    auto faces = StandardFaces();
    faces->PrinterFails = printerFails;
    TFontComboBox box(std::make_unique<FixedFontSource>(faces));
    box.SetDevice(static_cast<TFontDevice>(device));
    QCOMPARE(Items(box), expected);
    QCOMPARE(box.FontTypeOf(box.findText("Courier New")), courierType);
}

void FontComboTest::acceptFontFilters_data() {
    QTest::addColumn<int>("options");
    QTest::addColumn<QStringList>("expected");
    const auto bits = [](TFontListOptions options) { return int(options.Bits()); };
    QTest::newRow("no filter") << 0 << kScreenNames;
    QTest::newRow("ANSI only") << bits({foAnsiOnly})
                               << QStringList{"Arial", "Courier New", "MS Sans Serif", "Times New Roman"};
    QTest::newRow("TrueType only") << bits({foTrueTypeOnly})
                                   << QStringList{"Arial", "Courier New", "Symbol", "Times New Roman",
                                                  "ＭＳ ゴシック"};
    QTest::newRow("fixed pitch only")
        << bits({foFixedPitchOnly}) << QStringList{"Courier New", "Terminal", "ＭＳ ゴシック"};
    QTest::newRow("OEM only") << bits({foOEMFontsOnly}) << QStringList{"Terminal"};
    QTest::newRow("no OEM") << bits({foNoOEMFonts})
                            << QStringList{"Arial",  "Courier New",     "MS Sans Serif",
                                           "Symbol", "Times New Roman", "ＭＳ ゴシック"};
    QTest::newRow("scalable only") << bits({foScalableOnly})
                                   << QStringList{"Arial", "Courier New", "Symbol", "Times New Roman",
                                                  "ＭＳ ゴシック"};
    QTest::newRow("fixed TrueType") << bits({foFixedPitchOnly, foTrueTypeOnly})
                                    << QStringList{"Courier New", "ＭＳ ゴシック"};
    QTest::newRow("OEM and no OEM accept nothing") << bits({foOEMFontsOnly, foNoOEMFonts}) << QStringList{};
    QTest::newRow("ANSI and OEM accept nothing") << bits({foAnsiOnly, foOEMFontsOnly}) << QStringList{};
}

void FontComboTest::acceptFontFilters() {
    QFETCH(int, options);
    QFETCH(QStringList, expected);
    TFontComboBox box(std::make_unique<FixedFontSource>(StandardFaces()));
    box.SetOptions(TFontListOptions::FromBits(static_cast<std::uint8_t>(options)));
    QCOMPARE(Items(box), expected);
}

void FontComboTest::writingFontName_data() {
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("readBack");
    QTest::addColumn<int>("changes");
    QTest::newRow("a listed name") << ""
                                   << "Arial"
                                   << "Arial" << 1;
    QTest::newRow("the same name does nothing") << "Arial"
                                                << "Arial"
                                                << "Arial" << 0;
    QTest::newRow("other letter case selects again") << "Arial"
                                                     << "arial"
                                                     << "Arial" << 1;
    QTest::newRow("letter case ignored in the search") << ""
                                                       << "COURIER NEW"
                                                       << "Courier New" << 1;
    QTest::newRow("full-width name") << ""
                                     << "ＭＳ ゴシック"
                                     << "ＭＳ ゴシック" << 1;
    QTest::newRow("unknown name clears") << "Arial"
                                         << "Wingdings"
                                         << "" << 1;
    QTest::newRow("empty name clears") << "Arial"
                                       << ""
                                       << "" << 1;
    QTest::newRow("empty name with nothing selected") << ""
                                                      << ""
                                                      << "" << 0;
}

void FontComboTest::writingFontName() {
    QFETCH(QString, selected);
    QFETCH(QString, written);
    QFETCH(QString, readBack);
    QFETCH(int, changes);
    TFontComboBox box(std::make_unique<FixedFontSource>(StandardFaces()));
    box.SetFontName(selected);
    QSignalSpy changed(&box, &TFontComboBox::changed);
    box.SetFontName(written);
    QCOMPARE(box.FontName(), readBack);
    QCOMPARE(changed.count(), changes);
}

void FontComboTest::trueTypeOnlyDropsARasterSelectionWithOneChange() {
    TFontComboBox box(std::make_unique<FixedFontSource>(StandardFaces()));
    box.SetFontName("MS Sans Serif");
    QSignalSpy changed(&box, &TFontComboBox::changed);
    bool updatingWhenChanged = true;
    connect(&box, &TFontComboBox::changed, &box,
            [&](TFontComboBox* sender) { updatingWhenChanged = sender->Updating(); });
    box.SetTrueTypeOnly(true);
    QVERIFY(box.TrueTypeOnly());
    QVERIFY(box.Options().Contains(foTrueTypeOnly));
    QCOMPARE(box.findText("MS Sans Serif"), -1);
    QVERIFY(box.FontName().isEmpty());
    QCOMPARE(changed.count(), 1);
    QVERIFY(!updatingWhenChanged);

    box.SetFontName("Arial");
    changed.clear();
    box.SetTrueTypeOnly(false);
    QCOMPARE(box.FontName(), QStringLiteral("Arial"));
    QCOMPARE(changed.count(), 0);
}

void FontComboTest::sameOptionsDoNotRefill() {
    auto faces = StandardFaces();
    TFontComboBox box(std::make_unique<FixedFontSource>(faces));
    box.SetOptions({foAnsiOnly});
    const int asked = faces->ScreenAsked;
    box.SetOptions({foAnsiOnly});
    box.SetDevice(fdScreen);
    box.SetTrueTypeOnly(false);
    QCOMPARE(faces->ScreenAsked, asked);
}

void FontComboTest::installedFontsChangingRefillsTheList() {
    auto faces = StandardFaces();
    TFontComboBox box(std::make_unique<FixedFontSource>(faces));
    box.SetFontName("Symbol");
    QSignalSpy changed(&box, &TFontComboBox::changed);

    faces->Screen.push_back(Face("Zapf", kAnsiCharSet, kVariablePitch, kTrueTypeFontType));
    emit qGuiApp->fontDatabaseChanged();
    QCOMPARE(box.findText("Zapf"), box.count() - 2);
    QCOMPARE(box.FontName(), QStringLiteral("Symbol"));
    QCOMPARE(changed.count(), 0);

    std::erase_if(faces->Screen, [](const TFontFace& face) { return face.Name == "Symbol"; });
    emit qGuiApp->fontDatabaseChanged();
    QCOMPARE(box.findText("Symbol"), -1);
    QVERIFY(box.FontName().isEmpty());
    QCOMPARE(changed.count(), 1);
}

void FontComboTest::userSelectionClicksThenChanges() {
    TFontComboBox box(std::make_unique<FixedFontSource>(StandardFaces()));
    box.SetFontName("Arial");
    QStringList events;
    connect(&box, &TFontComboBox::clicked, &box, [&] { events << "click " + box.FontName(); });
    connect(&box, &TFontComboBox::changed, &box, [&] { events << "change " + box.FontName(); });
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QTest::keyClick(&box, Qt::Key_Down);
    QCOMPARE(events, (QStringList{"click Courier New", "change Courier New"}));
}

void FontComboTest::itemHeightFollowsTheFont() {
    TFontComboBox box(std::make_unique<FixedFontSource>(StandardFaces()));
    QFont font = box.font();
    font.setPixelSize(6);
    box.setFont(font);
    QCOMPARE(box.ItemHeight(), std::max(QFontMetrics(font).height() + 1, 11));
    font.setPixelSize(30);
    box.setFont(font);
    QCOMPARE(box.ItemHeight(), QFontMetrics(font).height() + 1);
    QCOMPARE(box.view()->sizeHintForRow(0), box.ItemHeight());
}

void FontComboTest::theClosedBoxShowsItsSelectedItem() {
    TFontComboBox box(std::make_unique<FixedFontSource>(StandardFaces()));
    box.resize(225, 19);
    const QImage empty = box.grab().toImage();
    box.SetFontName(QStringLiteral("Arial"));
    const QImage arial = box.grab().toImage();
    box.SetFontName(QStringLiteral("Courier New"));
    const QImage courier = box.grab().toImage();
    // The selected name with its icon is drawn in the field; a different name draws differently.
    QVERIFY(arial != empty);
    QVERIFY(courier != arial);
    box.SetFontName(QString());
    QCOMPARE(box.grab().toImage(), empty);
}

void FontComboTest::itemsAreDrawnWithIconAndName_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("selected");
    QTest::addColumn<bool>("icon");
    QTest::addColumn<QPoint>("iconInk"); // the icon's top-left-most ink pixel, in the icon
    QTest::addColumn<uint>("iconInkColour");
    QTest::newRow("TrueType") << "Arial" << false << true << QPoint(1, 1) << uint(qRgb(128, 128, 128));
    QTest::newRow("TrueType selected")
        << "Arial" << true << true << QPoint(1, 1) << uint(qRgb(128, 128, 128));
    QTest::newRow("raster has no icon") << "MS Sans Serif" << false << false << QPoint() << 0u;
    QTest::newRow("raster selected") << "MS Sans Serif" << true << false << QPoint() << 0u;
    QTest::newRow("device icon") << "Line Printer" << false << true << QPoint(5, 0) << uint(qRgb(0, 0, 0));
}

void FontComboTest::itemsAreDrawnWithIconAndName() {
    QFETCH(QString, name);
    QFETCH(bool, selected);
    QFETCH(bool, icon);
    QFETCH(QPoint, iconInk);
    QFETCH(uint, iconInkColour);
    TFontComboBox box(std::make_unique<FixedFontSource>(StandardFaces()));
    box.SetDevice(fdBoth);
    QPalette palette = box.palette();
    palette.setColor(QPalette::Base, QColor(0xF0, 0xF0, 0xE0));
    palette.setColor(QPalette::Highlight, QColor(0x20, 0x30, 0x90));
    box.setPalette(palette);
    const QRgb background =
        (selected ? palette.color(QPalette::Highlight) : palette.color(QPalette::Base)).rgb();

    const QRect rect(10, 3, 200, 17);
    QImage image(220, 24, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    box.DrawItem(painter, box.findText(name), rect, selected);
    painter.end();

    // The icon's transparent fuchsia shows the item background, never fuchsia.
    const QImage iconArea = image.copy(rect.left(), rect.top(), 26, rect.height());
    int iconPixels = 0;
    for (int y = 0; y < iconArea.height(); ++y) {
        for (int x = 0; x < iconArea.width(); ++x) {
            QVERIFY(iconArea.pixel(x, y) != qRgb(255, 0, 255));
            iconPixels += iconArea.pixel(x, y) != background ? 1 : 0;
        }
    }
    QCOMPARE(iconPixels > 0, icon);
    if (icon) {
        // The 20 x 12 icon has its top-left corner at left + 2 and (3 + 20 - 12) / 2 = 5.
        const QPoint ink = QPoint(rect.left() + 2, 5) + iconInk;
        QCOMPARE(image.pixel(ink), QRgb(iconInkColour));
        QCOMPARE(image.pixel(ink - QPoint(1, 0)), background);
        QCOMPARE(image.pixel(ink - QPoint(0, 1)), background);
    }
    // The name is drawn exactly as plain text starting at left + 26, with or without an icon.
    QImage expected(image.size(), QImage::Format_RGB32);
    expected.fill(Qt::black);
    QPainter reference(&expected);
    reference.fillRect(rect, background);
    reference.setFont(box.font());
    reference.setPen(palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    reference.drawText(rect.adjusted(26, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                       name);
    reference.end();
    const QRect textArea(rect.left() + 24, 0, image.width() - rect.left() - 24, image.height());
    QCOMPARE(image.copy(textArea), expected.copy(textArea));
    bool inked = false;
    for (int y = rect.top(); y <= rect.bottom() && !inked; ++y) {
        for (int x = rect.left() + 26; x <= rect.right() && !inked; ++x) {
            inked = image.pixel(x, y) != background;
        }
    }
    QVERIFY(inked);
    QCOMPARE(image.pixel(rect.left(), rect.top()), background);
    QCOMPARE(image.pixel(rect.right(), rect.bottom()), background);
}

void FontComboTest::systemFontsAreListed() {
    TFontComboBox box;
    QVERIFY(box.count() > 0);
    for (int i = 0; i < box.count(); ++i) {
        QVERIFY2(!box.itemText(i).endsWith(u']'), qPrintable(box.itemText(i)));
    }
    box.SetDevice(fdPrinter);
    QCOMPARE(box.count(), 0);
    box.SetDevice(fdBoth);
    QVERIFY(box.count() > 0);
}

void FontComboTest::foundryIsNotPartOfTheFaceName_data() {
    QTest::addColumn<QString>("family");
    QTest::addColumn<QString>("face");
    QTest::newRow("plain") << "DejaVu Sans"
                           << "DejaVu Sans";
    QTest::newRow("foundry") << "Nimbus Sans [urw]"
                             << "Nimbus Sans";
    QTest::newRow("foundry with a space") << "D050000L [URW ]"
                                          << "D050000L";
    QTest::newRow("brackets inside the name") << "Odd [x] Name"
                                              << "Odd [x] Name";
    QTest::newRow("nothing but brackets") << "[abc]"
                                          << "[abc]";
}

void FontComboTest::foundryIsNotPartOfTheFaceName() {
    QFETCH(QString, family);
    QFETCH(QString, face);
    QCOMPARE(FaceNameOfFamily(family), face);
}

void FontComboTest::missingResourceIsReported() {
    QVERIFY_THROWS_EXCEPTION(EResNotFound, LoadResourceBitmap(QStringLiteral(":/fonttype/NO_SUCH.bmp")));
    const QImage icon = LoadResourceBitmap(QString::fromLatin1(kTrueTypeFontIconPath));
    QCOMPARE(icon.size(), QSize(20, 12));
    QCOMPARE(icon.pixel(0, 11), qRgb(255, 0, 255));
}

QTEST_MAIN(FontComboTest)
#include "FontComboTest.moc"
