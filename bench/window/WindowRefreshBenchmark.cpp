// Refresh() of the main window with the smart preview on: the preview painted through the
// QPainter canvas on the offscreen platform and the HTML text rebuilt, for texts of 10, 1,000
// and 100,000 characters (half of them Japanese).
#include "platform/FontSubstitutes.h"
#include "platform/SystemColors.h"
#include "platform/UserStore.h"
#include "support/MemoryUserStore.h"
#include "window/mainform.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include "window/QPainterCanvas.h"

#include <benchmark/benchmark.h>

namespace {

QString MixedText(int characters) {
    static const QString kPattern = QStringLiteral("Tintrelグラデーション文字ABCかな漢字");
    QString text;
    text.reserve(characters);
    while (text.size() < characters) {
        text += kPattern;
    }
    text.truncate(characters);
    return text;
}

struct TWindow {
    QTemporaryDir dir;
    // The colour buttons' custom colours stay in memory, away from the user's own settings.
    TMemoryUserStore customColors;
    TForm1 form;

    TWindow() : form(Services(dir, customColors)) {
        form.show();
        [[maybe_unused]] const bool exposed = QTest::qWaitForWindowExposed(&form);
    }
    static TServices Services(const QTemporaryDir& dir, TMemoryUserStore& customColors) {
        TServices services;
        services.UserStore = &customColors;
        services.SettingsFile = dir.filePath(QStringLiteral("Tintrel.ini"));
        return services;
    }
};

TWindow& Window() {
    static TWindow window;
    return window;
}

void BM_FormRefresh(benchmark::State& state) {
    TWindow& window = Window();
    window.form.EdText->setText(MixedText(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        window.form.Refresh();
        benchmark::DoNotOptimize(window.form.HtmlText().Written().data());
    }
    state.counters["drawn_pt"] = window.form.LastDrawingSize();
}
BENCHMARK(BM_FormRefresh)->ArgName("chars")->Arg(10)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The paint handler alone on an offscreen image of the preview's size.
void BM_PaintBoxPaintOnImage(benchmark::State& state) {
    TWindow& window = Window();
    window.form.EdText->setText(MixedText(static_cast<int>(state.range(0))));
    QImage image(393, 104, QImage::Format_RGB32);
    TGlyphCache cache;
    for (auto _ : state) {
        QPainter painter(&image);
        TQPainterCanvas canvas(&painter, image.width(), image.height(), 96, &cache);
        window.form.PaintBoxPaint(canvas);
    }
}
BENCHMARK(BM_PaintBoxPaintOnImage)
    ->ArgName("chars")
    ->Arg(10)
    ->Arg(1000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

// Opening the window (settings read, first refresh, painting) on a settings file whose face
// name is a megabyte of kana: a face no font has must not go to font matching.
void BM_OpenWithAMegabyteFaceName(benchmark::State& state) {
    QTemporaryDir dir;
    QFile ini(dir.filePath(QStringLiteral("Tintrel.ini")));
    if (!ini.open(QIODevice::WriteOnly)) {
        state.SkipWithError("cannot write the settings file");
        return;
    }
    QByteArray face;
    for (int i = 0; i < (1 << 19); ++i) {
        face += "\x82\xA0";
    }
    ini.write("[@@Prev@@]\r\nDrawFont.Name=" + face + "\r\n");
    ini.close();
    TMemoryUserStore customColors;
    for (auto _ : state) {
        TForm1 form(TWindow::Services(dir, customColors));
        form.show();
        [[maybe_unused]] const bool exposed = QTest::qWaitForWindowExposed(&form);
        benchmark::DoNotOptimize(form.HtmlText().Written().data());
        state.PauseTiming();
        form.hide();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenWithAMegabyteFaceName)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    InstallPaletteSystemColors();
    InstallWindowsFontSubstitutes();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
