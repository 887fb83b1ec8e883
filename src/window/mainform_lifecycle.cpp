// The window's life: start, first show, the size rules, the keys, the title timer, the options
// menu, the base font size, the about box, help, and the saves when the program ends.
#include "window/mainform.h"

#include "colorpicker/ColorDropButton.h"
#include "controls/FontCombo.h"
#include "controls/TransBtn.h"
#include "engine/CodePage.h"
#include "engine/OrivUtil.h"
#include "platform/DialogService.h"
#include "platform/FileLauncher.h"
#include "store/ClosingSave.h"
#include "window/Cp932Text.h"
#include "window/PreviewBox.h"
#include "window/StoreErrorText.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>

#include <cstdio>
#include <exception>

void TForm1::FormCreate() {
    resizeRulesOn_ = false;

    // Where the window goes when no position is stored: the middle of the screen.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(kClientWidth / 2, kClientHeight / 2));
    }
    const QPoint centred = pos();
    OpenSettings();
    try {
        ReadWindowPosition();
    } catch (const std::exception&) {
        // A position that cannot be read leaves the window where it is.
    }

    const int clientWidth = EdText->geometry().right() + 1 + 4;
    const int clientHeight = TbSave->geometry().bottom() + 1 + kPreviewHeight + kStatusBarHeight + 4;
    resize(clientWidth, clientHeight);
    LayoutDockedControls();
    KeepInsideScreens(centred);
    setWindowTitle(kTitle);

    // Each step runs even when one before it failed; what failed is reported once the window
    // is up. The style list is only written back at close when it was read.
    RunStartupStep([this] { LoadOptions("Option"); });
    RunStartupStep([this] { LoadOptions("@@Prev@@"); });
    RunStartupStep([this] { Refresh(); });
    RunStartupStep([this] { ReadStyleList(); });
}

void TForm1::RunStartupStep(const std::function<void()>& step) {
    try {
        step();
    } catch (const std::exception& error) {
        // A settings file that cannot be read fails every step alike; it is said once.
        const QString message = StoreErrorText(error, SettingsFilePath());
        if (!pendingMessages_.contains(message)) {
            pendingMessages_ << message;
            toldMessages_ << message;
        }
    }
}

void TForm1::ShowPendingMessages() {
    while (!pendingMessages_.isEmpty()) {
        const QString message = pendingMessages_.takeFirst();
        // Once the program is ending (a terminate signal may arrive while a warning is open) no
        // further box opens: nobody may be there to answer it, and the program must end.
        if (closing_) {
            ReportOnStandardError(message);
            continue;
        }
        services_.Dialogs->ShowMessage(this, QStringLiteral("Tintrel"), message, TMessageKind::Warning);
    }
}

void TForm1::ReportOnStandardError(const QString& message) {
    std::fprintf(stderr, "tintrel: %s\n", message.toLocal8Bit().constData());
}

void TForm1::LayoutDockedControls() {
    QWidget* client = centralWidget();
    const int width = client->width();
    Bv2->setGeometry(0, Bv2->y(), width, Bv2->height());
    Bv3->setGeometry(0, Bv3->y(), width, Bv3->height());
    PaintBox->setGeometry(0, client->height() - kPreviewHeight, width, kPreviewHeight);
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    closing_ = false;
    if (!firstShowDone_) {
        FormShow();
    }
}

void TForm1::FormShow() {
    firstShowDone_ = true;
    minimumClientWidth_ = width();
    fixedClientHeight_ = height();
    setMinimumWidth(minimumClientWidth_);
    setFixedHeight(fixedClientHeight_);
    resizeRulesOn_ = true;
    // The frame the window manager added is known now; it too stays on the screen.
    KeepInsideScreens(pos());
    if (!pendingMessages_.isEmpty()) {
        QTimer::singleShot(0, this, &TForm1::ShowPendingMessages);
    }
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    LayoutDockedControls();
    if (resizeRulesOn_) {
        FormResize();
    }
}

void TForm1::FormResize() {
    // The size limits set at the first show normally keep the window in shape already; a
    // window manager that ignores them is put right here.
    if (width() < minimumClientWidth_ || height() != fixedClientHeight_) {
        resize(std::max(width(), minimumClientWidth_), fixedClientHeight_);
    }
}

bool TForm1::FormKeyDown(QKeyEvent* event) {
    if (KeyboardMenuKey(event)) {
        return true;
    }
    switch (event->key()) {
    case Qt::Key_F1:
        ShowHelp();
        return false; // the focused control sees the key as well
    case Qt::Key_Escape:
        close();
        return true;
    default:
        return false;
    }
}

void TForm1::closeEvent(QCloseEvent* event) {
    closing_ = true;
    SaveState(closeReason_);
    closeReason_ = TCloseReason::User;
    event->accept();
}

void TForm1::CloseFor(TCloseReason reason) {
    if (reason == TCloseReason::SessionEnd) {
        // The session saves now; the window may go on if the session end is cancelled.
        SaveState(reason);
        return;
    }
    // A close already under way (its failure box open, say) saves by itself.
    const bool alreadyClosing = closing_;
    closing_ = true;
    // Open message boxes and dialogs are answered with Cancel, so no command goes on after
    // the state has been saved.
    for (int guard = 0; guard < 16 && QApplication::activeModalWidget() != nullptr; ++guard) {
        QApplication::activeModalWidget()->close();
    }
    for (QWidget* popup = QApplication::activePopupWidget(); popup != nullptr;
         popup = QApplication::activePopupWidget()) {
        popup->close();
    }
    if (alreadyClosing) {
        return;
    }
    closeReason_ = reason;
    close();
}

bool TForm1::SaveState(TCloseReason reason) {
    QStringList failures;
    try {
        // The option group, "@@Prev@@" and the style list (only when it was read) as one save.
        SaveClosingState(*IniGT, CaptureOptionSet(), CaptureStyleRecord(), *styles_);
    } catch (const std::exception& error) {
        failures << StoreErrorText(error, SettingsFilePath());
    }
    if (failures.isEmpty()) {
        return true;
    }
    if (toldMessages_.contains(failures.first())) {
        // Said at the start (the file is left as it is, by design): the standard error is enough.
        ReportOnStandardError(failures.first());
        return false;
    }
    const QString message = tr("設定ファイルに書き込めませんでした。\n%1\n\n%2")
                                .arg(SettingsFilePath(), failures.join(QLatin1Char('\n')));
    ReportOnStandardError(message);
    if (reason == TCloseReason::User) {
        services_.Dialogs->ShowMessage(this, QStringLiteral("Tintrel"), message, TMessageKind::Error);
    }
    return false;
}

void TForm1::Timer1Timer() {
    setWindowTitle(kTitle);
    Timer1->stop();
}

void TForm1::ShowTitleMessage(const QString& message) {
    setWindowTitle(message);
    Timer1->start();
}

// The size is kept beside the caption, which is in the user's language.
int TForm1::BaseFontSize() const {
    return CbOptFontSize->data().toInt();
}

void TForm1::SetBaseFontSize(int points) {
    CbOptFontSize->setData(points);
    CbOptFontSize->setText(tr("ベースフォントサイズ %1pt").arg(points));
}

void TForm1::CbOptFontSizeClick() {
    const QString current = QString::number(BaseFontSize());
    const std::optional<QString> answer = services_.Dialogs->InputQuery(
        this, tr("ベースフォントサイズ"), tr("フォントサイズを入力して下さい"), current);
    bool ok = false;
    int size = answer.value_or(current).trimmed().toInt(&ok);
    if (!ok) {
        size = 11;
    }
    SetBaseFontSize(size);
    CbSizeClick();
}

void TForm1::FCBoxClick() {
    const QString chosen = ChosenFace();
    // With nothing chosen (a face this desktop does not know) the face stays as it was, so a
    // stored face is never lost to an empty name.
    if (!chosen.isEmpty()) {
        previewFont_.Face = Utf8ToCp932(chosen.toStdString()).Bytes;
    }
    Refresh();
}

QString TForm1::ListedFace(const QString& face) const {
    // The Japanese Windows faces, whose names the translation gives in the window's language.
    static const char* const kFaces[][2] = {
        QT_TRANSLATE_NOOP3("TForm1", "ＭＳ Ｐゴシック", "the font list's name of this face"),
        QT_TRANSLATE_NOOP3("TForm1", "ＭＳ ゴシック", "the font list's name of this face"),
        QT_TRANSLATE_NOOP3("TForm1", "ＭＳ Ｐ明朝", "the font list's name of this face"),
        QT_TRANSLATE_NOOP3("TForm1", "ＭＳ 明朝", "the font list's name of this face"),
        QT_TRANSLATE_NOOP3("TForm1", "メイリオ", "the font list's name of this face"),
    };
    for (const auto& [source, comment] : kFaces) {
        if (face == QString::fromUtf8(source)) {
            const QString listed = tr(source, comment);
            return FCBox->findText(listed, Qt::MatchFixedString) >= 0 ? listed : face;
        }
    }
    return face;
}

QString TForm1::ChosenFace() const {
    const QString shown = FCBox->FontName();
    const QString stored = FromCp932(previewFont_.Face);
    // The stored face shown under its name in the window's language keeps its own bytes.
    return !shown.isEmpty() && shown != stored && shown == ListedFace(stored) ? stored : shown;
}

void TForm1::PmAboutClick() {
    services_.Dialogs->ShowMessage(this, QStringLiteral("Tintrel"),
                                   tr("文字列をグラデーションで彩るHTMLを作ります\n"
                                      "Tintrel Ver 1.31\n\n"
                                      "Linux / Qt 6 版"),
                                   TMessageKind::Information);
}

void TForm1::ShowHelp() {
    if (!services_.Launcher->ShowHelpTopic(QStringLiteral("HID00000001"))) {
        StBar->showMessage(tr("ヘルプファイル（tintrel.html）を開けませんでした"));
    }
}
