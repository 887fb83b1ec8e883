#pragma once

#include "platform/ColorDialogService.h"

#include <functional>

// A colour dialog for tests: records what it was opened with and answers with a script.
class TScriptedColorDialogService final : public TColorDialogService {
public:
    bool ExecuteColorDialog(QWidget* owner, TColorDialogData& data) override {
        ++Calls;
        LastOwner = owner;
        Opened = data;
        if (During) {
            During();
        }
        if (!Confirm) {
            return false;
        }
        data.Color = AnswerColor;
        data.CustomColors = AnswerCustomColors;
        return true;
    }

    bool Confirm = false;
    TColor AnswerColor = clBlack;
    QStringList AnswerCustomColors;
    std::function<void()> During; // runs while the dialog is "open"

    int Calls = 0;
    QWidget* LastOwner = nullptr;
    TColorDialogData Opened;
};
