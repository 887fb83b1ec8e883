#include "platform/ColorDialogService.h"

QString CustomColorLine(int box, TColor color) {
    return QStringLiteral("Color") + QChar(u'A' + box) + u'=' +
           QString::number(color, 16).toUpper().rightJustified(8, u'0');
}
