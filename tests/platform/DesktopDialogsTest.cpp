// The desktop's own dialogs behind the dialog service, answered the way a user would: the save
// dialog whose file type matters, and the picture dialog.
#include "platform/DialogService.h"
#include "platform/StopsEditor.h"
#include "support/ScriptedColorDialogService.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {

// Runs `answer` on the next modal dialog as soon as it is open.
void WhenDialogOpens(const std::function<void(QDialog&)>& answer) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, answer] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible()) {
            return;
        }
        timer->stop();
        timer->deleteLater();
        answer(*dialog);
    });
    timer->start();
}

} // namespace

class DesktopDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void eachFileTypeNamesItsFirstExtension_data();
    void eachFileTypeNamesItsFirstExtension();
    void choosingAnotherFileTypeRenamesTheProposedFile();
    void thePictureDialogStartsFromTheLastChoice();
    void thePhaseDialogIsFollowedAndAnswered();
    void theStopsEditorAnswersWithItsStops();
    void smallDialogsAreWideEnoughForTheirTitles();
    void thePictureDialogTabsInVisualOrderFromTheChosenScale_data();
    void thePictureDialogTabsInVisualOrderFromTheChosenScale();
};

void DesktopDialogsTest::eachFileTypeNamesItsFirstExtension_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("pictures") << "PNG|*.png|SVG|*.svg" << QStringList{"png", "svg"};
    QTest::newRow("several patterns") << "HTML File|*.html;*.htm|Any|*.*" << QStringList{"html", ""};
    QTest::newRow("everything") << "All|*" << QStringList{""};
}

void DesktopDialogsTest::eachFileTypeNamesItsFirstExtension() {
    QFETCH(QString, filter);
    QFETCH(QStringList, expected);
    QCOMPARE(FilterExtensions(filter), expected);
}

void DesktopDialogsTest::choosingAnotherFileTypeRenamesTheProposedFile() {
    QTemporaryDir dir;
    TFileDialogRequest request;
    request.Filter = QStringLiteral("PNG|*.png|SVG|*.svg");
    request.DefaultExt = QStringLiteral("png");
    request.InitialDir = dir.path();
    request.FileName = QStringLiteral("Sample.png");
    QString shownName;
    WhenDialogOpens([&shownName](QDialog& dialog) {
        auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        QVERIFY(types != nullptr);
        QTest::keyClick(types, Qt::Key_Down);
        shownName = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
        dialog.accept();
    });
    TQtDialogService dialogs;
    const std::optional<TFileDialogAnswer> answer = dialogs.SaveFileOfType(nullptr, request);
    QCOMPARE(shownName, QStringLiteral("Sample.svg"));
    QVERIFY(answer.has_value());
    QCOMPARE(answer->FilterIndex, 2);
    QCOMPARE(answer->FileName, dir.filePath(QStringLiteral("Sample.svg")));
}

void DesktopDialogsTest::thePictureDialogStartsFromTheLastChoice() {
    bool startedAtTwo = false;
    WhenDialogOpens([&startedAtTwo](QDialog& dialog) {
        startedAtTwo = dialog.findChild<QRadioButton*>(QStringLiteral("Scale2"))->isChecked() &&
                       !dialog.findChild<QCheckBox*>(QStringLiteral("Transparent"))->isChecked();
        dialog.findChild<QRadioButton*>(QStringLiteral("Scale4"))->click();
        dialog.findChild<QCheckBox*>(QStringLiteral("Transparent"))->click();
        dialog.findChild<QCheckBox*>(QStringLiteral("TextAsOutlines"))->click();
        dialog.accept();
    });
    TQtDialogService dialogs;
    const std::optional<TPictureChoice> choice = dialogs.PictureChoice(nullptr, TPictureChoice{2, false});
    QVERIFY(startedAtTwo);
    QCOMPARE(choice, (std::optional<TPictureChoice>(TPictureChoice{4, true, true})));

    WhenDialogOpens([](QDialog& dialog) { dialog.reject(); });
    QCOMPARE(dialogs.PictureChoice(nullptr, TPictureChoice{}), std::nullopt);
}

// Every hue turned to is heard at once; OK answers the last, Cancel nothing.
void DesktopDialogsTest::thePhaseDialogIsFollowedAndAnswered() {
    TQtDialogService dialogs;
    for (const bool accept : {true, false}) {
        QList<int> heard;
        bool named = false;
        WhenDialogOpens([&named, accept](QDialog& dialog) {
            auto* spin = dialog.findChild<QSpinBox*>(QStringLiteral("SpPhase"));
            named = spin->value() == 30 && !spin->accessibleName().isEmpty();
            spin->setValue(45);
            spin->setValue(200);
            accept ? dialog.accept() : dialog.reject();
        });
        const std::optional<int> chosen =
            dialogs.ChoosePhase(nullptr, 390, [&heard](int degrees) { heard << degrees; });
        QVERIFY(named);
        QCOMPARE(heard, (QList<int>{45, 200}));
        QCOMPARE(chosen, accept ? std::optional<int>(200) : std::nullopt);
    }
    // A start below zero opens at the same hue, once round.
    int opened = -1;
    WhenDialogOpens([&opened](QDialog& dialog) {
        opened = dialog.findChild<QSpinBox*>(QStringLiteral("SpPhase"))->value();
        dialog.reject();
    });
    dialogs.ChoosePhase(nullptr, -90, [](int) {});
    QCOMPARE(opened, 270);
}

void DesktopDialogsTest::theStopsEditorAnswersWithItsStops() {
    TQtDialogService dialogs;
    TScriptedColorDialogService colorDialog;
    const std::vector<TColorStop> given{{0x0000FF, -1}, {0xFF0000, -1}};
    for (const bool accept : {true, false}) {
        WhenDialogOpens([accept](QDialog& dialog) {
            auto* editor = qobject_cast<TStopsEditor*>(&dialog);
            QVERIFY(editor != nullptr);
            editor->AddStop();
            accept ? dialog.accept() : dialog.reject();
        });
        const std::optional<std::vector<TColorStop>> edited = dialogs.EditStops(nullptr, given, colorDialog);
        QCOMPARE(edited.has_value(), accept);
        if (edited) {
            QCOMPARE(edited->size(), 3u);
        }
    }
}

void DesktopDialogsTest::thePictureDialogTabsInVisualOrderFromTheChosenScale_data() {
    QTest::addColumn<int>("scale");
    QTest::newRow("1x") << 1;
    QTest::newRow("2x") << 2;
    QTest::newRow("4x") << 4;
}

void DesktopDialogsTest::thePictureDialogTabsInVisualOrderFromTheChosenScale() {
    QFETCH(int, scale);
    QStringList visited;
    WhenDialogOpens([&visited](QDialog& dialog) {
        QApplication::setActiveWindow(&dialog);
        for (int step = 0; step < 5; ++step) {
            QWidget* focused = dialog.focusWidget();
            visited << (focused == nullptr                ? QStringLiteral("none")
                        : focused->objectName().isEmpty() ? qobject_cast<QAbstractButton*>(focused)->text()
                                                          : focused->objectName());
            QTest::keyClick(focused != nullptr ? focused : &dialog, Qt::Key_Tab);
        }
        // Back on the chosen scale, Space keeps it.
        QTest::keyClick(dialog.focusWidget(), Qt::Key_Space);
        dialog.accept();
    });
    TQtDialogService dialogs;
    const std::optional<TPictureChoice> choice = dialogs.PictureChoice(nullptr, TPictureChoice{scale, false});
    QCOMPARE(visited,
             (QStringList{QStringLiteral("Scale%1").arg(scale), QStringLiteral("Transparent"),
                          QStringLiteral("TextAsOutlines"), QStringLiteral("OK"), QStringLiteral("Cancel")}));
    QCOMPARE(choice->Scale, scale);
}

void DesktopDialogsTest::smallDialogsAreWideEnoughForTheirTitles() {
    // The title and the title bar's buttons (some 100 pixels) fit.
    QStringList narrow;
    const auto measure = [&narrow](QDialog& dialog) {
        if (dialog.width() < QFontMetrics(dialog.font()).horizontalAdvance(dialog.windowTitle()) + 100) {
            narrow << dialog.windowTitle();
        }
        dialog.reject();
    };
    TQtDialogService dialogs;
    WhenDialogOpens(measure);
    dialogs.PictureChoice(nullptr, TPictureChoice{});
    WhenDialogOpens(measure);
    dialogs.InputQuery(nullptr, QStringLiteral("ベースフォントサイズのとても長い題名"), QStringLiteral("?"),
                       QString());
    QVERIFY2(narrow.isEmpty(), qPrintable(narrow.join(QLatin1Char('|'))));
}

QTEST_MAIN(DesktopDialogsTest)
#include "DesktopDialogsTest.moc"
