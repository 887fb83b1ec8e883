// The preview and the HTML text: one refresh paints the gradient text and rebuilds the HTML.
#include "window/WidgetHint.h"
#include "window/mainform.h"

#include "colorpicker/ColorDropButton.h"
#include "controls/FontCombo.h"
#include "controls/TransBtn.h"
#include "engine/CodePage.h"
#include "engine/HtmlBuilder.h"
#include "engine/PreviewFontSize.h"
#include "engine/Refresh.h"
#include "engine/TagVocabulary.h"
#include "engine/TextUnits.h"
#include "engine/UnicodeText.h"
#include "engine/Utf8.h"
#include "window/ColorLabel.h"
#include "window/OutputChoice.h"
#include "window/OutputKindText.h"
#include "window/PreviewBox.h"
#include "window/QPainterCanvas.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>

namespace {

// The text field's text as units; an unpaired surrogate from a paste stands as U+FFFD.
TUnitText UnitsOf(const QString& text) {
    return UnitTextFromUtf8(Utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                                            static_cast<std::size_t>(text.size()))));
}

} // namespace

std::string TForm1::TextBytes() const {
    return UnitsOf(EdText->text()).Text;
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
        canvas.DrawInFace(FCBox->FontName());
        PaintBoxPaint(canvas);
    }
}

void TForm1::PaintWithPainter(QPainter& painter) {
    TQPainterCanvas canvas(&painter, PaintBox->width(), PaintBox->height(), PaintBox->logicalDpiY(),
                           glyphCache_.get());
    // The face as the font list names it; a face it does not list is drawn in the default face.
    canvas.DrawInFace(FCBox->FontName());
    PaintBoxPaint(canvas);
    painted_ = true;
}

TOutputKind TForm1::OutputKind() const {
    return output_->Kind();
}

QAction* TForm1::CbFormat(TOutputKind kind) const {
    return output_->CbFormat(kind);
}

void TForm1::SetOutputKind(TOutputKind kind) {
    output_->SetKind(kind);
}

TRefreshInput TForm1::CurrentRefreshInput() const {
    TUnitText units = UnitsOf(EdText->text());
    TRefreshInput input;
    input.Text = std::move(units.Text);
    input.Clusters = std::move(units.Clusters);
    input.Gradient =
        TGradient{startColor_, middleColor_, finishColor_, GradientModeOf(TbTriCo->Down(), TbMirror->Down())};
    input.Gradient.Space = ColourChoice().Space;
    input.Gradient.Stops = StopsWithButtons();
    input.Gradient.Rainbow = ColourChoice().Rainbow;
    input.Gradient.Phase = ColourChoice().Phase;
    input.Background = backgroundColor_;
    input.PreviewFont = previewFont_;
    input.Html.SizeStep = CbSize->currentIndex();
    input.Html.FirstLetterLarger = CbHead->isChecked();
    input.SmartPreview = !SmartPreviewOff();
    input.UpperCaseTags = UpperCaseTags();
    input.Html.FaceTag = FaceTagOn();
    if (OutputKindRow(OutputKind()).Has(koLanguage)) {
        input.Html.Language = FieldLanguage();
    }
    input.Html.LogicalTags = LogicalTagsOn();
    input.Html.Comment = CommentOn();
    input.Html.BreakInTag = BreakInFontTag();
    input.Html.Table = cbTable->isChecked();
    input.Html.Kind = OutputKind();
    return input;
}

void TForm1::ReportStatus(const TRefreshInput& input) {
    QStringList messages;
    QStringList notes;
    const TOutputKindRow& kind = OutputKindRow(input.Html.Kind);
    // Only a kind that writes Shift-JIS carries references; the others write UTF-8. The whole
    // sentence is said once; the count stays beside the hints.
    if (const std::size_t references = input.Clusters.Units.size();
        references > 0 && kind.Encoding == TTextEncoding::Cp932) {
        messages << tr("Shift-JISにない%1文字は文字参照（&#番号;）で書きました").arg(references);
        notes << tr("文字参照 %1").arg(references);
    }
    if (UnitCount(input.Text, input.Clusters) == 1) {
        notes << tr("グラデーションは2文字から");
    }
    const QString note = notes.join(QStringLiteral("　"));
    if (note != StNote->text()) {
        StNote->setText(note);
        // The whole first message: in the status bar under the pointer, and for a screen reader.
        SetHint(StNote, messages.value(0));
        StNote->setToolTip(messages.value(0));
        StNote->setVisible(!note.isEmpty());
    }
    if (kind.Shown != nullptr) {
        messages << tr("色は貼り付け先の近い色にしています");
    }
    if (kind.NotWritten != nullptr &&
        ((input.Html.Table && !kind.Has(koTable)) || (input.Html.Comment && !kind.Has(koComment)))) {
        messages << OutputKindText(kind.NotWritten);
    }
    // A face name the kind cannot write (brackets in a forum's tag) is left out.
    if (const std::string face = Cp932ToUtf8(input.PreviewFont.Face);
        input.Html.FaceTag && !face.empty() && !kind.CarriesFace(face)) {
        messages << OutputKindText(kind.Face.NotCarried).arg(QString::fromStdString(face));
    }
    if (const QString contrast = ContrastNote(input); !contrast.isEmpty()) {
        messages << contrast;
    }
    const QString message = messages.join(QStringLiteral("　"));
    if (message == lastStatusText_) {
        return;
    }
    lastStatusText_ = message;
    ShowHint({});
}

void TForm1::PaintBoxPaint(TPreviewCanvas& canvas) {
    TRefreshInput input = CurrentRefreshInput();
    ReportStatus(input);

    TRefreshResult result = ::Refresh(input, canvas, *tg_);
    htmlText_ = std::move(result.Html);
    ApplyBudget(input);
    if (!keptResult_.isEmpty() && htmlText_.Written() != keptResultOutput_) {
        // Another output: the last command's result no longer speaks of it.
        keptResult_.clear();
        ShowHint({});
    }
    if (result.Painted) {
        lastDrawingSize_ = result.DrawingPoints;
    }
    ReportSmallPreview(result.Painted && input.SmartPreview && result.DrawingPoints < previewFont_.Points,
                       result.DrawingPoints, UnitCount(input.Text, input.Clusters));
    lastRefreshInput_ = std::move(input);
}

void TForm1::CbSizeClick() {
    previewFont_.Points =
        PreviewFontPoints(BaseFontSize(), SizeStepFromText(CbSize->currentText().toStdString()));
    Refresh();
}
