#pragma once

#include "engine/OrivUtil.h"

#include <QDialog>

#include <vector>

class QListWidget;
class TColorDialogService;
class QPushButton;

// The stops editor: the gradient's colours as a list of swatches, with add, remove, move and a
// colour dialog for the selected one. Positions stay as given; new stops are spread evenly.
class TStopsEditor final : public QDialog {
    Q_OBJECT

public:
    TStopsEditor(std::vector<TColorStop> stops, TColorDialogService& colorDialog, QWidget* parent = nullptr);

    const std::vector<TColorStop>& Stops() const { return stops_; }

    // The commands of the buttons, on the selected stop.
    void AddStop();
    void RemoveStop();
    void MoveStop(int by);
    void ChooseColor();

    QListWidget* List = nullptr;
    QPushButton* BtnAdd = nullptr;
    QPushButton* BtnRemove = nullptr;
    QPushButton* BtnUp = nullptr;
    QPushButton* BtnDown = nullptr;
    QPushButton* BtnColor = nullptr;

private:
    void Show(int selected);
    int Selected() const;

    std::vector<TColorStop> stops_;
    TColorDialogService& colorDialog_;
};
