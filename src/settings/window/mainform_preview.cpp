// The preview and the HTML text: one refresh paints the gradient text and rebuilds the HTML.
#include "settings/window/mainform.h"

#include "colorpicker/ColorDropButton.h"
#include "controls/FontCombo.h"
#include "controls/TransBtn.h"
#include "engine/CodePage.h"
#include "engine/HtmlBuilder.h"
#include "engine/PreviewFontSize.h"
#include "engine/Refresh.h"
#include "engine/TagVocabulary.h"
#include "engine/jstrm.h"
#include "settings/window/ColorLabel.h"
#include "settings/window/PreviewBox.h"
#include "settings/window/QPainterCanvas.h"

#include <QAction>
#include <QActionGroup>
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

TOutputKind TForm1::OutputKind() const {
    const QAction* checked = FormatGroup->checkedAction();
    return checked != nullptr ? static_cast<TOutputKind>(checked->data().toInt()) : okFont;
}

void TForm1::SetOutputKind(TOutputKind kind) {
    for (QAction* item : FormatGroup->actions()) {
        if (item->data().toInt() == static_cast<int>(kind)) {
            item->setChecked(true);
            return;
        }
    }
    CbFormatFont->setChecked(true);
}

TRefreshInput TForm1::CurrentRefreshInput(std::vector<std::string>* unmappable) const {
    TCp932Conversion converted = Utf8ToCp932(EdText->text().toStdString());
    if (unmappable != nullptr) {
        *unmappable = std::move(converted.Unmappable);
    }
    TRefreshInput input;
    input.Text = std::move(converted.Bytes);
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
    input.Kind = OutputKind();
    return input;
}

THtmlText TForm1::OutputOfKind(TOutputKind kind) const {
    TRefreshInput input = CurrentRefreshInput();
    input.Kind = kind;
    if (CharCount(input.Text) < 2) {
        return {};
    }
    // The case a refresh of this text sets; the next refresh sets it again anyway.
    tg_->ApplyTagCase(input.UpperCaseTags);
    return BuildHtmlText(input.Text, input.Gradient, HtmlOptionsOf(input, input.PreviewFont), *tg_);
}

void TForm1::ReportStatus(const std::vector<std::string>& unmappable, const TRefreshInput& input) {
    QStringList messages;
    if (!unmappable.empty()) {
        std::set<std::string> seen;
        QString characters;
        for (const std::string& character : unmappable) {
            if (seen.insert(character).second) {
                characters += QString::fromStdString(character);
            }
        }
        messages << QStringLiteral("「%1」はShift-JISで表せない文字のため、HTMLでは「?」になります")
                        .arg(characters);
    }
    if (input.Kind == okBbcode && (input.Table || input.Comment)) {
        messages << tr("BBCodeにはテーブルとコメントは付きません");
    }
    const QString message = messages.join(QStringLiteral("　"));
    if (message == lastStatusText_) {
        return;
    }
    lastStatusText_ = message;
    if (message.isEmpty()) {
        StBar->clearMessage();
    } else {
        StBar->showMessage(message);
    }
}

void TForm1::PaintBoxPaint(TPreviewCanvas& canvas) {
    std::vector<std::string> unmappable;
    const TRefreshInput input = CurrentRefreshInput(&unmappable);
    ReportStatus(unmappable, input);

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
