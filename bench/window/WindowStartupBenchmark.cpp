// Time from the start of the process to the first painted main window, the way the desktop
// program starts (settings read, controls built, fonts listed, preview painted). The platform is
// the one given (offscreen by default). Prints one line in milliseconds.
#include "platform/FontSubstitutes.h"
#include "platform/SystemColors.h"
#include "platform/UserStore.h"
#include "support/MemoryUserStore.h"
#include "window/PreviewBox.h"
#include "window/mainform.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace {

// Milliseconds since the process started, from the kernel's record of the start.
double SinceProcessStart() {
    QFile stat(QStringLiteral("/proc/self/stat"));
    QFile uptime(QStringLiteral("/proc/uptime"));
    if (!stat.open(QIODevice::ReadOnly) || !uptime.open(QIODevice::ReadOnly)) {
        return -1;
    }
    const QByteArray statLine = stat.readAll();
    const QList<QByteArray> fields = statLine.mid(statLine.lastIndexOf(')') + 2).split(' ');
    const double startTicks = fields.value(19).toDouble(); // field 22 of the whole line
    const double upSeconds = uptime.readAll().split(' ').value(0).toDouble();
    return (upSeconds - startTicks / static_cast<double>(sysconf(_SC_CLK_TCK))) * 1000.0;
}

class TFirstPaint final : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !done_) {
            done_ = true;
            QTimer::singleShot(0, watched, [] {
                std::printf("start to first painted window: %.0f ms\n", SinceProcessStart());
                QCoreApplication::quit();
            });
        }
        return false;
    }

private:
    bool done_ = false;
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    InstallPaletteSystemColors();
    InstallWindowsFontSubstitutes();
    // The colour buttons' custom colours stay in memory, away from the user's own settings.
    TMemoryUserStore customColors;
    QTemporaryDir dir;
    TServices services;
    services.UserStore = &customColors;
    services.SettingsFile = dir.filePath(QStringLiteral("Tintrel.ini"));
    TForm1 form(services);
    TFirstPaint firstPaint;
    form.PaintBox->installEventFilter(&firstPaint);
    form.show();
    return QApplication::exec();
}
