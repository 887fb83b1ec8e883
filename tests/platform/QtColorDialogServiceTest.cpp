#include "platform/QtColorDialogService.h"

#include <QApplication>
#include <QColorDialog>
#include <QTimer>
#include <QtTest>

namespace {

// Answers the colour dialog as soon as it runs, after letting `inside` look at it and change it.
// The checks stay outside: a failure in here must not leave the dialog open.
void AnswerDialog(bool accept, std::function<void(QColorDialog&)> inside) {
    QTimer::singleShot(0, [accept, inside = std::move(inside)]() {
        if (auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget())) {
            inside(*dialog);
            accept ? dialog->accept() : dialog->reject();
        }
    });
}

} // namespace

class QtColorDialogServiceTest : public QObject {
    Q_OBJECT

private slots:
    void boxesFillTheRowsOfQtsCustomColours();
    void cancelLeavesTheDataAlone();
};

void QtColorDialogServiceTest::boxesFillTheRowsOfQtsCustomColours() {
    TQtColorDialogService service;
    TColorDialogData data;
    data.Color = 0x00336699; // RGB 153, 102, 51
    for (int box = 0; box < 16; ++box) {
        data.CustomColors << CustomColorLine(box, clWhite);
    }
    data.CustomColors[9] = QStringLiteral("ColorJ=000000FF"); // second row, second box
    data.CustomColors << QStringLiteral("ColorZ=00000000") << QStringLiteral("no equals sign");
    QColor shown;
    bool native = true;
    QColor qtThird;
    AnswerDialog(true, [&](QColorDialog& dialog) {
        shown = dialog.currentColor();
        native = !dialog.testOption(QColorDialog::DontUseNativeDialog);
        qtThird = QColorDialog::customColor(3);
        QColorDialog::setCustomColor(2, QColor(0, 255, 0)); // first row, second box: B
        dialog.setCurrentColor(QColor(1, 2, 3));
    });
    QVERIFY(service.ExecuteColorDialog(nullptr, data));
    QCOMPARE(shown, QColor(153, 102, 51));
    QVERIFY(!native);
    QCOMPARE(qtThird, QColor(255, 0, 0)); // Qt counts down the columns: J is its index 3
    QCOMPARE(data.Color, TColor(0x00030201));
    QCOMPARE(data.CustomColors.size(), 16);
    QCOMPARE(data.CustomColors[0], QStringLiteral("ColorA=00FFFFFF"));
    QCOMPARE(data.CustomColors[1], QStringLiteral("ColorB=0000FF00"));
    QCOMPARE(data.CustomColors[9], QStringLiteral("ColorJ=000000FF"));
    QCOMPARE(data.CustomColors[15], QStringLiteral("ColorP=00FFFFFF"));
}

void QtColorDialogServiceTest::cancelLeavesTheDataAlone() {
    TQtColorDialogService service;
    TColorDialogData data;
    data.Color = 0x00123456;
    data.CustomColors = {QStringLiteral("ColorA=00000001")};
    AnswerDialog(false, [](QColorDialog& dialog) { dialog.setCurrentColor(Qt::black); });
    QVERIFY(!service.ExecuteColorDialog(nullptr, data));
    QCOMPARE(data.Color, TColor(0x00123456));
    QCOMPARE(data.CustomColors, QStringList{QStringLiteral("ColorA=00000001")});
}

QTEST_MAIN(QtColorDialogServiceTest)
#include "QtColorDialogServiceTest.moc"
