#include "window/OutputKindText.h"
#include "window/WidgetHint.h"
#include "window/mainform.h"

#include "engine/TargetFit.h"
#include "engine/TargetReader.h"
#include "platform/ClipboardService.h"
#include "platform/DialogService.h"
#include "store/OptionSet.h"
#include "store/StyleRecord.h"
#include "window/AccessKeys.h"
#include "window/OutputChoice.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStatusBar>

#include <exception>

namespace {

// The status bar's note on the step "Shorten to fit" took.
QString FitStepText(const TFitResult& fit, const TOutputKindRow& kind) {
    switch (fit.Step) {
    case TFitStep::None:
        break;
    case TFitStep::MergeRuns:
        return TForm1::tr("同じ色の並びは１つのコードにしました");
    case TFitStep::PlainSpaces:
        return TForm1::tr("同じ色の並びと空白にはコードを付けませんでした");
    case TFitStep::ShareSteps:
        return TForm1::tr("%1文字ずつ同じ色にしました").arg(fit.Share);
    case TFitStep::CompactTag:
        return OutputKindText(kind.Fitting.CompactTaken);
    }
    return {};
}

// "410 of 256 characters: too long for the target", counted as the target counts.
QString BudgetWords(std::size_t length, std::size_t budget, TLengthUnit counted, bool over) {
    const bool bytes = counted == TLengthUnit::Bytes;
    const QString words = over ? (bytes ? TForm1::tr("上限%2バイトのところ%1バイト：貼り付け先には長すぎます")
                                        : TForm1::tr("上限%2文字のところ%1文字：貼り付け先には長すぎます"))
                               : (bytes ? TForm1::tr("上限%2バイトのうち%1バイト：貼り付け先に収まります")
                                        : TForm1::tr("上限%2文字のうち%1文字：貼り付け先に収まります"));
    return words.arg(static_cast<qulonglong>(length)).arg(static_cast<qulonglong>(budget));
}

} // namespace

void TForm1::CreateTargetItems() {
    PmOpt->addMenu(PmTargets)->setObjectName(QStringLiteral("PmTargets"));
    PmTargets->addSeparator();
    CbFit = PmTargets->addAction(tr("長さの上限に収める"));
    CbFit->setObjectName(QStringLiteral("CbFit"));
    CbFit->setCheckable(true);
    CbFit->setStatusTip(tr("貼り付け先の長さの上限を超えるときは、目立たない順に短くします"));
    PmBudget = PmTargets->addAction(tr("長さの上限…"));
    PmBudget->setObjectName(QStringLiteral("PmBudget"));
    PmBudget->setStatusTip(tr("貼り付け先の長さの上限を決めます（0で貼り付け先の既定）"));
    PmTargets->addSeparator();
    PmTakeGradient = PmTargets->addAction(tr("クリップボードからグラデーションを取り込む"));
    PmTakeGradient->setObjectName(QStringLiteral("PmTakeGradient"));
    PmTakeGradient->setStatusTip(
        tr("クリップボードのグラデーション文字から文字列・色・スタイルを取り込みます"));

    LbBudget = new QLabel(StBar);
    LbBudget->setObjectName(QStringLiteral("LbBudget"));
    StBar->addPermanentWidget(LbBudget);
    LbBudget->hide();
}

std::size_t TForm1::Budget() const {
    return output_->Budget();
}

void TForm1::PmBudgetClick() {
    // The box shows the limit in force: the one chosen, else the target's own.
    const std::size_t own = OutputKindRow(OutputKind()).Budget;
    const std::size_t chosen = output_->ChosenBudget();
    const QString current = QString::number(chosen != 0 ? chosen : own);
    const std::optional<QString> answer = services_.Dialogs->InputQuery(
        this, tr("長さの上限"), tr("長さの上限を入力して下さい（0で貼り付け先の既定）"), current);
    bool ok = false;
    qulonglong budget = answer.value_or(current).trimmed().toULongLong(&ok);
    if (ok && chosen == 0 && budget == own) {
        budget = 0; // the target's own limit, left as it was: none chosen
    }
    const bool valid = ok && output_->SetBudget(static_cast<std::size_t>(budget));
    Refresh();
    if (!valid) {
        ShowResult(tr("長さの上限は0から%1までの整数で入力して下さい。上限は変えていません")
                       .arg(static_cast<qulonglong>(kBudgetLimit - 1)));
    }
}

void TForm1::ShowChosenTarget(const TOutputKindRow& kind) {
    if (targetsTitle_.isEmpty()) {
        return; // the menus are still being built
    }
    const QAction* item = CbFormat(kind.Kind);
    PmTargets->setTitle(
        kind.OtherTarget && item != nullptr
            ? AddedBeforeAccessKey(targetsTitle_, tr("：%1").arg(WithoutAccessKey(item->text())))
            : targetsTitle_);
}

void TForm1::ApplyBudget(const TRefreshInput& input) {
    const TOutputKindRow& kind = OutputKindRow(input.Html.Kind);
    ShowChosenTarget(kind);
    const std::size_t budget = output_->BudgetOf(kind.Kind);
    if (LbBudget == nullptr || !kind.OtherTarget || budget == 0) {
        if (LbBudget != nullptr) {
            LbBudget->hide();
        }
        return;
    }
    QString text;
    bool over = false;
    std::size_t length = 0;
    if (output_->ShortenToFit() && kind.Fitting.Shortens) {
        TFitResult fit = FitTargetText(input.Text, input.Clusters, input.Gradient,
                                       HtmlOptionsOf(input, previewFont_), *tg_, budget);
        htmlText_ = std::move(fit.Html);
        over = !fit.Fits;
        length = fit.Length;
        text =
            over ? tr("%1 / %2：収まりません（%3文字まで）").arg(fit.Length).arg(budget).arg(fit.FittingUnits)
                 : QStringLiteral("%1 / %2").arg(fit.Length).arg(budget);
        if (const QString step = FitStepText(fit, kind); !step.isEmpty()) {
            text += QStringLiteral("　") + step;
        }
    } else {
        length = TargetLength(htmlText_.Written(), kind.Counted);
        over = length > budget;
        text = QStringLiteral("%1 / %2").arg(length).arg(budget);
    }
    LbBudget->setText(text);
    // What is counted: in the status bar under the pointer, and for a screen reader.
    const QString counted =
        kind.Counted == TLengthUnit::Bytes ? tr("バイト数 / 上限") : tr("UTF-16 の文字数 / 上限");
    SetHint(LbBudget, counted);
    // The count in words: under the pointer and for a screen reader.
    const QString words = BudgetWords(length, budget, kind.Counted, over);
    LbBudget->setToolTip(words);
    LbBudget->setAccessibleDescription(words);
    // Over the budget in the error colour.
    LbBudget->setStyleSheet(over ? QStringLiteral("color: #D32F2F; font-weight: bold") : QString());
    LbBudget->show();
}

void TForm1::PmTakeGradientClick() {
    std::optional<TReadText> read;
    for (const QString& source : {services_.Clipboard->HtmlContent(), services_.Clipboard->Text()}) {
        // The reader's limit (a UTF-16 unit is a byte or more) before the copy; whatever the text,
        // the window goes on.
        if (!source.isEmpty() && !read && static_cast<std::size_t>(source.size()) <= kReadInputLimit) {
            try {
                read = ReadGradientText(source.toStdString());
            } catch (const std::exception&) {
                read.reset();
            }
        }
    }
    if (!read) {
        ShowResult(tr("クリップボードにはグラデーション文字がありません。何も変えていません"));
        return;
    }
    const TGradient gradient = GradientOfColours(read->Units);
    TStyleRecord style = CaptureStyleRecord();
    style.StartColor = JoinColor(gradient.Start);
    style.FinishColor = JoinColor(gradient.Finish);
    style.MiddleColor = JoinColor(gradient.Middle);
    style.Mirror = gradient.Mode == gmMirror;
    style.Trico = gradient.Mode == gmThreeColor;
    style.DrawFont.Style = static_cast<std::uint8_t>(read->Style);
    // Added colours and the rainbow would hide the colours taken, so they give way to them.
    style.Stops.clear();
    style.Rainbow = false;
    style.Phase = 0;
    ApplyStyleRecord(style);
    EdText->setText(QString::fromStdString(read->Text()));
    Refresh();
    ShowResult(tr("クリップボードのグラデーションを取り込みました（%1）")
                   .arg(QString::fromLatin1(OutputKindName(read->Kind).data(),
                                            static_cast<qsizetype>(OutputKindName(read->Kind).size()))));
}
