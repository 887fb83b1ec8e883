// The colour, mode and style commands: each stores its input and refreshes.
#include "window/mainform.h"

#include "colorpicker/ColorDropButton.h"
#include "controls/FontCombo.h"
#include "controls/TransBtn.h"
#include "engine/FontStyle.h"
#include "window/ColorLabel.h"

void TForm1::StoreColor(TColorDropButton* button, TOrivRGB& record, TColorLabel* label) {
    record = SplitColor(button->Color());
    label->setText(QString::fromStdString(record.Hex));
}

void TForm1::CopyCustomColors(TColorDropButton* from, TColorDropButton* to1, TColorDropButton* to2) {
    to1->SetCustomColors(from->CustomColors());
    to2->SetCustomColors(from->CustomColors());
}

void TForm1::ClBtn1Change() {
    StoreColor(ClBtn1, startColor_, FlCl1);
    CopyCustomColors(ClBtn1, ClBtnM, ClBtn2);
    Refresh();
}

void TForm1::ClBtn2Change() {
    StoreColor(ClBtn2, finishColor_, FlCl2);
    CopyCustomColors(ClBtn2, ClBtn1, ClBtnM);
    Refresh();
}

void TForm1::ClBtnMColorChange() {
    StoreColor(ClBtnM, middleColor_, FlClM);
    CopyCustomColors(ClBtnM, ClBtn1, ClBtn2);
    Refresh();
}

void TForm1::ClBtnBkChange() {
    backgroundColor_ = ClBtnBk->Color();
    FlClBk->setText(QString::fromStdString(SplitColor(backgroundColor_).Hex));
    Refresh();
}

void TForm1::SetMiddleEnabled(bool enabled) {
    ClBtnM->setEnabled(enabled);
    FlClM->setEnabled(enabled);
}

void TForm1::TbTriCoClick() {
    TbTriCo->SetDown(!TbTriCo->Down());
    if (TbTriCo->Down()) {
        TbMirror->SetDown(false);
    }
    SetMiddleEnabled(TbTriCo->Down());
    Refresh();
}

void TForm1::TbMirrorClick() {
    TbMirror->SetDown(!TbMirror->Down());
    if (TbMirror->Down()) {
        TbTriCo->SetDown(false);
        SetMiddleEnabled(false);
    }
    Refresh();
}

void TForm1::FlInvClick() {
    // Both colours are taken before either button changes.
    const TColor formerFinish = JoinColor(finishColor_);
    const TColor formerStart = JoinColor(startColor_);
    ClBtn1->SetColor(formerFinish);
    ClBtn2->SetColor(formerStart);
    Refresh();
}

void TForm1::TbBoldClick(QObject* sender) {
    auto* button = qobject_cast<TTransparentButton*>(sender);
    if (button == nullptr) {
        return;
    }
    static constexpr TFontStyles kStyles[] = {fsBold, fsItalic, fsUnderline, fsStrikeOut};
    const int tag = button->Tag();
    if (tag < 0 || tag > 3) {
        return;
    }
    button->SetDown(!button->Down());
    if (button->Down()) {
        previewFont_.Style |= kStyles[tag];
    } else {
        previewFont_.Style &= ~kStyles[tag];
    }
    Refresh();
}

void TForm1::ApplyPreviewFontToStyleButtons() {
    TbBold->SetDown((previewFont_.Style & fsBold) != 0);
    TbItalic->SetDown((previewFont_.Style & fsItalic) != 0);
    TbUnder->SetDown((previewFont_.Style & fsUnderline) != 0);
    TbStrike->SetDown((previewFont_.Style & fsStrikeOut) != 0);
}

void TForm1::cbTableClick() {
    Refresh();
}
