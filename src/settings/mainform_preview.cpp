// The preview and the HTML text: one refresh paints the gradient text and rebuilds the HTML.
#include "settings/mainform.h"

#include "colorpicker/ColorDropButton.h"
#include "controls/FontCombo.h"
#include "controls/TransBtn.h"
#include "engine/HtmlBuilder.h"
#include "engine/TagVocabulary.h"
#include "engine/jstrm.h"
#include "platform/CodePage.h"
#include "settings/ColorLabel.h"
#include "settings/PreviewBox.h"
#include "settings/QPainterCanvas.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QStatusBar>

#include <algorithm>
#include <set>

std::string TForm1::TextBytes() const {
    return Utf8ToCp932(EdText->text().toStdString()).Bytes;
}

void TForm1::Refresh() {
    painted_ = false;
    if (PaintBox->isVisible()) {
        PaintBox->repaint();
    }
    if (!painted_) {
        // Not on screen: the HTML text is rebuilt all the same.
        TQPainterCanvas canvas(nullptr, PaintBox->width(), PaintBox->height(), PaintBox->logicalDpiY());
        PaintBoxPaint(canvas);
    }
}

void TForm1::PaintWithPainter(QPainter& painter) {
    TQPainterCanvas canvas(&painter, PaintBox->width(), PaintBox->height(), PaintBox->logicalDpiY());
    PaintBoxPaint(canvas);
    painted_ = true;
}

void TForm1::ReportUnmappable(const std::vector<std::string>& unmappable) {
    QString message;
    if (!unmappable.empty()) {
        std::set<std::string> seen;
        QString characters;
        for (const std::string& character : unmappable) {
            if (seen.insert(character).second) {
                characters += QString::fromStdString(character);
            }
        }
        message =
            QStringLiteral("「%1」はShift-JISで表せない文字のため、HTMLでは「?」になります").arg(characters);
    }
    if (message == lastUnmappableText_) {
        return;
    }
    lastUnmappableText_ = message;
    if (message.isEmpty()) {
        StBar->clearMessage();
    } else {
        StBar->showMessage(message);
    }
}

void TForm1::PaintBoxPaint(TQPainterCanvas& canvas) {
    const TCp932Conversion converted = Utf8ToCp932(EdText->text().toStdString());
    ReportUnmappable(converted.Unmappable);
    const std::string& text = converted.Bytes;
    const int count = CharCount(text);
    if (text.size() < 2 || count < 2) {
        htmlText_ = THtmlText();
        return;
    }
    tg_->ApplyTagCase(CbOpt9->isChecked());
    canvas.Fill(backgroundColor_);
    canvas.SetBackground(backgroundColor_);

    int size = std::clamp(previewFont_.Size, kSmallestDrawingSize, kLargestDrawingSize);
    canvas.SetFont(previewFont_.Name, size, previewFont_.Style);
    if (!CbOpt4->isChecked()) {
        while (size > kSmallestDrawingSize && canvas.TextWidthUpTo(text, canvas.Width()) > canvas.Width()) {
            --size;
            canvas.SetFont(previewFont_.Name, size, previewFont_.Style);
        }
    }
    lastDrawingSize_ = size;

    THtmlOptions options;
    options.FaceName = previewFont_.Name;
    options.Style = previewFont_.Style;
    options.SizeStep = std::max(0, CbSize->currentIndex());
    options.FirstLetterLarger = CbHead->isChecked();
    options.FaceTag = CbOpt3->isChecked();
    options.LogicalTags = CbOpt7->isChecked();
    options.Comment = CbOpt6->isChecked();
    options.BreakInTag = CbOpt8->isChecked();
    options.Table = cbTable->isChecked();
    options.BackgroundHex = FlClBk->text().toStdString();

    const TGradient gradient{startColor_, middleColor_, finishColor_,
                             GradientModeOf(TbTriCo->Down(), TbMirror->Down())};
    THtmlBuilder builder(*tg_, options, text, count);
    int x = 0;
    std::size_t offset = 0;
    for (int i = 1; i <= count; ++i) {
        const std::size_t length = CharLengthAt(text, offset);
        const std::string_view character(text.data() + offset, length);
        offset += length;
        const TColor color = GradientColor(gradient, i, count);
        // Only what lies inside the area is measured and drawn.
        if (x < canvas.Width()) {
            canvas.SetColor(color);
            canvas.DrawChar(x, 0, character);
            x += canvas.CharWidth(character);
        }
        builder.AppendCharacter(character, color);
    }
    htmlText_ = builder.Finish();
}

void TForm1::CbSizeClick() {
    bool ok = false;
    int step = CbSize->currentText().toInt(&ok);
    if (!ok || CbSize->currentIndex() < 0) {
        step = 0;
    }
    previewFont_.Size = BaseFontSize() + 4 * step;
    Refresh();
}
