// The window's picture command and the formatted text beside a copy, with scripted dialogs and
// clipboard.
#include "support/FormOutput.h"
#include "support/FormRig.h"

#include "controls/TransBtn.h"
#include "window/PreviewBox.h"
#include "window/mainform.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QStatusBar>
#include <QtTest>

namespace {

// The css kind's fragment of the window's text, without the screen readers' hidden copy of the
// text: the coloured spans inside the aria-hidden span, and what wraps them.
QString CssWithoutScreenReaderText(const TForm1& form) {
    QString css = QString::fromStdString(OutputOfKind(form, okCss).Written());
    static const QRegularExpression hiddenOpen(QStringLiteral("<span aria-hidden=\"true\">"),
                                               QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression hiddenCopy(
        QStringLiteral("</span><span style=\"position:absolute;[^\"]*\">[^<]*</span>"),
        QRegularExpression::CaseInsensitiveOption);
    return css.remove(hiddenOpen).remove(hiddenCopy);
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct TRig : TFormRig {
    TForm1& Open(const QString& text) {
        Create();
        form->show();
        form->EdText->setText(text);
        form->Refresh();
        return *form;
    }
    void WriteIni(const QByteArray& bytes) const {
        QFile file(Ini());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
};

const QString kPlainCopy =
    QStringLiteral("\r\n<FONT COLOR=\"#FF0000\">A</FONT><FONT COLOR=\"#FFFF00\">B</FONT>\r\n\r\n");

} // namespace

class MainFormPicturesTest : public QObject {
    Q_OBJECT

private slots:
    void thePictureFileFollowsTheNameOrTheFileType_data();
    void thePictureFileFollowsTheNameOrTheFileType();
    void thePictureIsThePreviewsDrawing();
    void thePictureDialogsRememberTheLastChoice();
    void noPictureIsAskedForWhenThereIsNothingOrTooMuch();
    void thePreviewMenuOffersThePictureAndTheSwitch();
    void theKeyboardReachesThePictureAndThePreviewMenu();
    void copyAddsFormattedTextOnlyWhenAsked_data();
    void copyAddsFormattedTextOnlyWhenAsked();
    void theFormattedTextIsCssWhateverTheKind();
    void theFormattedCopySwitchIsSavedOnlyWhileOn_data();
    void theFormattedCopySwitchIsSavedOnlyWhileOn();
};

void MainFormPicturesTest::thePictureFileFollowsTheNameOrTheFileType_data() {
    QTest::addColumn<QString>("answered");
    QTest::addColumn<int>("fileType");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QByteArray>("start");
    const QByteArray png("\x89PNG");
    const QByteArray svg("<?xml");
    QTest::newRow("bare name, PNG type") << "pic" << 1 << "pic.png" << png;
    QTest::newRow("bare name, SVG type") << "pic" << 2 << "pic.svg" << svg;
    QTest::newRow("an .svg name wins over the PNG type") << "pic.svg" << 1 << "pic.svg" << svg;
    QTest::newRow("an upper-case .PNG name wins over the SVG type") << "pic.PNG" << 2 << "pic.PNG" << png;
    QTest::newRow("another extension gets the type's") << "pic.txt" << 2 << "pic.txt.svg" << svg;
    QTest::newRow("a name ending in a dot") << "pic." << 1 << "pic.png" << png;
}

void MainFormPicturesTest::thePictureFileFollowsTheNameOrTheFileType() {
    QFETCH(QString, answered);
    QFETCH(int, fileType);
    QFETCH(QString, written);
    QFETCH(QByteArray, start);
    TRig rig;
    TForm1& form = rig.Open(QStringLiteral("AB"));
    rig.dialogs.PictureAnswers.push_back(TPictureChoice{2, true});
    rig.dialogs.TypedFileAnswers.push_back(TFileDialogAnswer{rig.Path(answered), fileType});
    form.PmPicture->trigger();

    QCOMPARE(rig.dialogs.FileRequests.size(), 1);
    const TFileDialogRequest request = rig.dialogs.FileRequests.first();
    QCOMPARE(request.Filter, QStringLiteral("PNG 画像|*.png|SVG 画像|*.svg"));
    QCOMPARE(request.FileName, QStringLiteral("Sample.png"));
    QVERIFY(ReadFile(rig.Path(written)).startsWith(start));
    QCOMPARE(form.windowTitle(), QStringLiteral("画像を保存しました"));
    QVERIFY(rig.dialogs.Messages.isEmpty());
}

void MainFormPicturesTest::thePictureIsThePreviewsDrawing() {
    TRig rig;
    TForm1& form = rig.Open(QStringLiteral("Tintrel グラデ"));
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.CbSize->setCurrentIndex(2);
    form.CbSizeClick();
    form.TbBoldClick(form.TbItalic);
    const QImage preview = form.PaintBox->grab().toImage().convertToFormat(QImage::Format_RGB32);

    const QString target = rig.Path(QStringLiteral("same.png"));
    rig.dialogs.PictureAnswers.push_back(TPictureChoice{1, false});
    rig.dialogs.TypedFileAnswers.push_back(TFileDialogAnswer{target, 1});
    form.PmPictureClick();
    const QImage picture = QImage(target).convertToFormat(QImage::Format_RGB32);
    QVERIFY(!picture.isNull());
    // The text fits the preview, so the preview was not shrunk: the picture's ink is the
    // preview's, pixel for pixel, with a margin of the background around it.
    QCOMPARE(form.LastDrawingSize(), form.PreviewFont().Points);
    QVERIFY(picture.width() < preview.width() && picture.height() < preview.height());
    const auto inkOf = [](const QImage& image) {
        const QRgb ground = image.pixel(image.width() - 1, image.height() - 1);
        QRect ink;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                ink = image.pixel(x, y) != ground ? ink.united(QRect(x, y, 1, 1)) : ink;
            }
        }
        return ink;
    };
    const QRect ink = inkOf(picture);
    QVERIFY(ink.left() > 0 && ink.top() > 0);
    QCOMPARE(picture.copy(ink), preview.copy(inkOf(preview)));
}

void MainFormPicturesTest::thePictureDialogsRememberTheLastChoice() {
    TRig rig;
    TForm1& form = rig.Open(QStringLiteral("AB"));
    const QString target = rig.Path(QStringLiteral("first.svg"));
    rig.dialogs.PictureAnswers.push_back(TPictureChoice{4, true});
    rig.dialogs.TypedFileAnswers.push_back(TFileDialogAnswer{target, 2});
    form.PmPictureClick();
    QVERIFY(QFile::exists(target));

    // Next time: the same scale and ground, the SVG type, the folder of the last picture.
    // Cancelling the file dialog writes nothing.
    rig.dialogs.PictureAnswers.push_back(TPictureChoice{1, false});
    form.PmPictureClick();
    QCOMPARE(rig.dialogs.PictureQuestions, (QList<TPictureChoice>{{1, false}, {4, true}}));
    const TFileDialogRequest again = rig.dialogs.FileRequests.last();
    QCOMPARE(again.FilterIndex, 2);
    QCOMPARE(again.DefaultExt, QStringLiteral("svg"));
    QCOMPARE(again.FileName, QStringLiteral("Sample.svg"));
    QCOMPARE(again.InitialDir, rig.dir.path());

    // Asking before replacing follows option 1, as for the page.
    rig.dialogs.PictureAnswers.push_back(TPictureChoice{1, false});
    rig.dialogs.TypedFileAnswers.push_back(TFileDialogAnswer{target, 2});
    rig.dialogs.ConfirmAnswers.push_back(false);
    const QByteArray before = ReadFile(target);
    form.PmPictureClick();
    QCOMPARE(rig.dialogs.Confirms.size(), 1);
    QCOMPARE(ReadFile(target), before);
    // The HTML settings of the page are left alone.
    QVERIFY(!ReadFile(rig.Ini()).contains("Path"));
}

void MainFormPicturesTest::noPictureIsAskedForWhenThereIsNothingOrTooMuch() {
    TRig rig;
    TForm1& form = rig.Open(QStringLiteral("A"));
    form.PmPictureClick();
    QVERIFY(rig.dialogs.PictureQuestions.isEmpty());
    QCOMPARE(form.windowTitle(), QStringLiteral("画像にするものがありません"));

    // Wider than a picture may be at 4x: said before the file dialog.
    form.EdText->setText(QString(3000, QLatin1Char('W')));
    rig.dialogs.PictureAnswers.push_back(TPictureChoice{4, false});
    form.PmPictureClick();
    QVERIFY(rig.dialogs.FileRequests.isEmpty());
    QCOMPARE(rig.dialogs.Messages.size(), 1);
    QVERIFY(rig.dialogs.Messages.first().contains(QStringLiteral("32767")));

    // Cancelling the picture dialog asks nothing more.
    form.EdText->setText(QStringLiteral("AB"));
    form.PmPictureClick();
    QVERIFY(rig.dialogs.FileRequests.isEmpty());
}

void MainFormPicturesTest::thePreviewMenuOffersThePictureAndTheSwitch() {
    TRig rig;
    TForm1& form = rig.Open(QStringLiteral("AB"));
    QCOMPARE(form.PaintBox->contextMenuPolicy(), Qt::CustomContextMenu);
    QCOMPARE(form.PmPreview->actions().first(), form.PmPicture);
    QVERIFY(form.PmPreview->actions().contains(form.CbOptFormatted));
    QVERIFY(!form.CbOptFormatted->isChecked());
    QVERIFY(form.CbOptFormatted->isCheckable());
    form.PmPicture->hover();
    QCOMPARE(form.StBar->currentMessage(), form.PmPicture->statusTip());
    QVERIFY(!form.PmPicture->statusTip().isEmpty());
}

void MainFormPicturesTest::theKeyboardReachesThePictureAndThePreviewMenu() {
    TRig rig;
    TForm1& form = rig.Open(QStringLiteral("AB"));
    QVERIFY(QTest::qWaitForWindowActive(&form));
    form.EdText->setFocus();
    QTest::keyClick(form.EdText, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(rig.dialogs.PictureQuestions.size(), 1);

    QTest::keyClick(form.EdText, Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
    QTRY_VERIFY(form.PmPreview->isVisible());
    QCOMPARE(form.PmPreview->activeAction(), form.PmPicture);
    // Down to the switch and Enter: it is on.
    QTest::keyClick(form.PmPreview, Qt::Key_Down);
    QTest::keyClick(form.PmPreview, Qt::Key_Return);
    QTRY_VERIFY(!form.PmPreview->isVisible());
    QVERIFY(form.CbOptFormatted->isChecked());
}

void MainFormPicturesTest::copyAddsFormattedTextOnlyWhenAsked_data() {
    QTest::addColumn<bool>("formatted");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<QString>("plain");
    QTest::newRow("off, left") << false << Qt::LeftButton << kPlainCopy;
    QTest::newRow("off, right") << false << Qt::RightButton << kPlainCopy.mid(2, kPlainCopy.size() - 6);
    QTest::newRow("on, left") << true << Qt::LeftButton << kPlainCopy;
    QTest::newRow("on, right") << true << Qt::RightButton << kPlainCopy.mid(2, kPlainCopy.size() - 6);
}

void MainFormPicturesTest::copyAddsFormattedTextOnlyWhenAsked() {
    QFETCH(bool, formatted);
    QFETCH(Qt::MouseButton, button);
    QFETCH(QString, plain);
    TRig rig;
    TForm1& form = rig.Open(QStringLiteral("A<"));
    form.EdText->setText(QStringLiteral("AB"));
    form.Refresh();
    if (formatted) {
        form.CbOptFormatted->trigger();
    }
    // Typed without Enter: both formats are of the last refresh.
    form.EdText->setText(QStringLiteral("XY"));
    form.TbCopyMouseDown(button);
    QCOMPARE(rig.clipboard.Writes, 1);
    QCOMPARE(rig.clipboard.Content, plain);
    QCOMPARE(rig.clipboard.Html.has_value(), formatted);
    if (formatted) {
        // The css kind's fragment of the copied text, whatever kind the window writes.
        form.EdText->setText(QStringLiteral("AB"));
        QCOMPARE(*rig.clipboard.Html, CssWithoutScreenReaderText(form));
        QVERIFY(rig.clipboard.Html->contains(QStringLiteral("color:#ff0000"), Qt::CaseInsensitive));
    }
}

void MainFormPicturesTest::theFormattedTextIsCssWhateverTheKind() {
    TRig rig;
    TForm1& form = rig.Open(QStringLiteral("A&B"));
    form.CbFormat(okBbcode)->trigger();
    form.CbOptFormatted->trigger();
    form.TbCopyMouseDown(Qt::LeftButton);
    // The source as the chosen kind writes it, the css fragment beside it.
    QCOMPARE(rig.clipboard.Content, QString::fromStdString(form.HtmlText().Written()));
    QVERIFY(rig.clipboard.Content.contains(QStringLiteral("[color="), Qt::CaseInsensitive));
    QVERIFY(rig.clipboard.Html.has_value());
    const QString html = *rig.clipboard.Html;
    QCOMPARE(html, CssWithoutScreenReaderText(form));
    // The text stands once: word processors and mail composers would show a hidden copy.
    QCOMPARE(html.count(QStringLiteral("&amp;")), 1);
    QVERIFY(!html.contains(QStringLiteral("aria-hidden"), Qt::CaseInsensitive));
    QVERIFY(html.contains(QStringLiteral("color:#FF0000\">A<"), Qt::CaseInsensitive));
}

void MainFormPicturesTest::theFormattedCopySwitchIsSavedOnlyWhileOn_data() {
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<bool>("on");
    QTest::newRow("missing") << QByteArray() << false;
    QTest::newRow("1") << QByteArray("FormattedCopy=1\r\n") << true;
    QTest::newRow("0") << QByteArray("FormattedCopy=0\r\n") << false;
    QTest::newRow("2 is not this program's") << QByteArray("FormattedCopy=2\r\n") << false;
    QTest::newRow("a word") << QByteArray("FormattedCopy=yes\r\n") << false;
}

void MainFormPicturesTest::theFormattedCopySwitchIsSavedOnlyWhileOn() {
    QFETCH(QByteArray, stored);
    QFETCH(bool, on);
    TRig rig;
    rig.WriteIni("[Option]\r\nOpt1=1\r\n" + stored);
    TForm1& form = rig.Open(QStringLiteral("AB"));
    QCOMPARE(form.CbOptFormatted->isChecked(), on);

    form.SaveOptions("Option");
    QCOMPARE(ReadFile(rig.Ini()).contains("FormattedCopy=1\r\n"), on);
    QCOMPARE(ReadFile(rig.Ini()).contains("FormattedCopy"), on);
    form.CbOptFormatted->trigger();
    form.SaveOptions("Option");
    // Written after the design's keys, and only while on, so that a file in which nothing new
    // was chosen stays as it was.
    const QByteArray saved = ReadFile(rig.Ini());
    QCOMPARE(saved.contains("FormattedCopy"), !on);
    if (!on) {
        QVERIFY(saved.endsWith("Opt9=1\r\nFormattedCopy=1\r\n"));
    }
}

QTEST_MAIN(MainFormPicturesTest)
#include "MainFormPicturesTest.moc"
