#pragma once

#include "engine/OrivUtil.h"

#include <QDialog>

#include <vector>

class QDoubleSpinBox;
class QLabel;
class QListWidget;
class TColorDialogService;
class QPushButton;

// The stops editor: the gradient's colours as a list of swatches, with add, remove, move, a
// colour dialog and a position (percent along the text, or automatic) for the selected one.
// Positions stay as given; a new stop takes the colour and place halfway to the next.
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
    // The selected stop's position in percent, held between its neighbours' given positions;
    // below 0: spread evenly between them.
    void SetPosition(double percent);

    QListWidget* List = nullptr;
    QPushButton* BtnAdd = nullptr;
    QPushButton* BtnRemove = nullptr;
    QPushButton* BtnUp = nullptr;
    QPushButton* BtnDown = nullptr;
    QPushButton* BtnColor = nullptr;
    QDoubleSpinBox* SpPosition = nullptr;
    // The gradient the stops make, painted above the list.
    QLabel* Strip = nullptr;
    static constexpr int kStripWidth = 200;
    static constexpr int kStripHeight = 16;

private:
    void Show(int selected);
    void ShowPosition();
    int Selected() const;

    std::vector<TColorStop> stops_;
    TColorDialogService& colorDialog_;
};
