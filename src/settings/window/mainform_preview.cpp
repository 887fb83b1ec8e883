// The preview and the HTML text: one refresh paints the gradient text and rebuilds the HTML.
#include "settings/window/mainform.h"

#include "colorpicker/ColorDropButton.h"
#include "controls/FontCombo.h"
#include "controls/TransBtn.h"
#include "engine/CodePage.h"
#include "engine/PreviewFontSize.h"
#include "engine/Refresh.h"
#include "engine/TagVocabulary.h"
#include "settings/window/ColorLabel.h"
#include "settings/window/PreviewBox.h"
#include "settings/window/QPainterCanvas.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QStatusBar>

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
        TQPainterCanvas canvas(nullptr, PaintBox->width(), PaintBox->height(), PaintBox->logicalDpiY(),
                               glyphCache_.get());
        PaintBoxPaint(canvas);
    }
}

void TForm1::PaintWithPainter(QPainter& painter) {
    TQPainterCanvas canvas(&painter, PaintBox->width(), PaintBox->height(), PaintBox->logicalDpiY(),
                           glyphCache_.get());
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
        message = tr("「%1」はShift-JISで表せない文字のため、HTMLでは「?」になります").arg(characters);
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

void TForm1::PaintBoxPaint(TPreviewCanvas& canvas) {
    const TCp932Conversion converted = Utf8ToCp932(EdText->text().toStdString());
    ReportUnmappable(converted.Unmappable);

    TRefreshInput input;
    input.Text = converted.Bytes;
    input.Gradient =
        TGradient{startColor_, middleColor_, finishColor_, GradientModeOf(TbTriCo->Down(), TbMirror->Down())};
    input.Background = backgroundColor_;
    input.PreviewFont = previewFont_;
    input.SizeStep = CbSize->currentIndex();
    input.FirstLetterLarger = CbHead->isChecked();
    input.SmartPreview = !SmartPreviewOff();
    input.UpperCaseTags = CbOpt9->isChecked();
    input.FaceTag = CbOpt3->isChecked();
    input.LogicalTags = CbOpt7->isChecked();
    input.Comment = CbOpt6->isChecked();
    input.BreakInTag = CbOpt8->isChecked();
    input.Table = cbTable->isChecked();

    TRefreshResult result = ::Refresh(input, canvas, *tg_);
    htmlText_ = std::move(result.Html);
    if (result.Painted) {
        lastDrawingSize_ = result.DrawingPoints;
    }
}

void TForm1::CbSizeClick() {
    previewFont_.Points =
        PreviewFontPoints(BaseFontSize(), SizeStepFromText(CbSize->currentText().toStdString()));
    Refresh();
}
