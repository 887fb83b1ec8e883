// Runs the window's first start as tintrel does, in the desktop's language: the settings file
// goes to FOLDER/Tintrel.ini (written when the window closes) and the HTML text to
// FOLDER/html.txt. Prints the language chosen and the caption of the text panel, so the
// caller can tell which language the window really spoke.
//   first_run_probe FOLDER
#include "controls/SystemFontSource.h"
#include "platform/UiLanguage.h"
#include "support/FormRig.h"
#include "window/UiTranslators.h"
#include "window/mainform.h"

#include <QApplication>
#include <QFile>
#include <QLabel>

#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fputs("usage: first_run_probe FOLDER\n", stderr);
        return 2;
    }
    const TUiTranslators translators(SystemUiLanguage());
    TFormRig rig(QString::fromLocal8Bit(argv[1]));
    TForm1& form = rig.Create();
    form.show();
    QApplication::processEvents();

    QFile html(rig.Path(QStringLiteral("html.txt")));
    if (!html.open(QIODevice::WriteOnly)) {
        return 1;
    }
    const std::string written = form.HtmlText().Written();
    html.write(written.data(), static_cast<qint64>(written.size()));
    html.close();
    std::printf("%s %s\n", qPrintable(UiLanguageCode(translators.Language())),
                form.Panel1->text().toUtf8().constData());
    form.close();
    return rig.dialogs.Messages.isEmpty() ? 0 : 1;
}
