// A small window with colour buttons laid out like the main window's, for looking at the
// buttons and the palette by eye (e.g. under xvfb-run with a screenshot). Not a test, not
// shipped.
//
//   colorpicker_demo [--open] [--dialog] [--disable]
//     --open     opens the palette of the first button after start
//     --dialog   also opens the colour dialog from the palette (custom colours A..P distinct)
//     --disable  disables the third button
#include "colorpicker/ColorDropButton.h"
#include "platform/Services.h"
#include "platform/SystemColors.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    InstallPaletteSystemColors();
    const QStringList arguments = application.arguments();

    QWidget form;
    form.setObjectName(QStringLiteral("Form1"));
    form.setWindowTitle(QStringLiteral("Colour buttons"));
    form.resize(330, 260);

    const struct {
        const char* name;
        QPoint position;
        TColor color;
    } buttons[] = {{"ClBtn1", {56, 92}, 0x000000FF},
                   {"ClBtnM", {124, 92}, 0x00FFFFFF},
                   {"ClBtn2", {192, 92}, 0x0000FFFF},
                   {"ClBtnBk", {244, 164}, 0x00C0D8C0}};
    QList<TColorDropButton*> created;
    for (const auto& entry : buttons) {
        auto* button = new TColorDropButton(DesktopServices(), &form);
        button->setObjectName(QString::fromLatin1(entry.name));
        button->setGeometry(QRect(entry.position, QSize(65, 25)));
        button->SetFlat(true);
        button->SetCycleColors(true);
        button->SetColor(entry.color);
        created << button;
    }
    auto* label = new QLabel(QStringLiteral("Normal (not flat):"), &form);
    label->move(10, 20);
    auto* plain = new TColorDropButton(DesktopServices(), &form);
    plain->setGeometry(120, 15, 65, 25);
    plain->SetColor(0x00FF0000);
    if (arguments.contains(QStringLiteral("--disable"))) {
        created[2]->setEnabled(false);
    }
    if (arguments.contains(QStringLiteral("--dialog"))) {
        TColorArrayClass custom(8, 2);
        for (int x = 1; x <= 8; ++x) {
            for (int y = 1; y <= 2; ++y) {
                // A..H get shades of red growing to the right, I..P shades of blue.
                custom.SetColors(x, y, y == 1 ? TColor(30 * x) : TColor(30 * x) << 16);
            }
        }
        created[0]->SetCustomColors(custom);
    }
    form.show();

    if (arguments.contains(QStringLiteral("--open"))) {
        QTimer::singleShot(300, created[0], [&]() {
            created[0]->OpenPalette();
            if (arguments.contains(QStringLiteral("--dialog"))) {
                QTimer::singleShot(300, created[0], [&]() {
                    if (created[0]->Palette()) {
                        created[0]->Palette()->btnOtherClick();
                    }
                });
            }
        });
    }
    return application.exec();
}
