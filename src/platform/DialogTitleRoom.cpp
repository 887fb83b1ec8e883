#include "platform/DialogTitleRoom.h"

#include <QFontMetrics>
#include <QWidget>

int DialogTitleRoom(const QWidget& dialog) {
    // An icon at the left and three buttons at the right take about six lines' height; a title
    // font a little larger than the dialog's is allowed for.
    const QFontMetrics metrics(dialog.font());
    return metrics.horizontalAdvance(dialog.windowTitle()) * 5 / 4 + 6 * metrics.height();
}
