#include "platform/ColorDialogService.h"

#include "platform/QtColorDialogService.h"

namespace {

TColorDialogService* currentService = nullptr;

} // namespace

void SetColorDialogService(TColorDialogService* service) {
    currentService = service;
}

TColorDialogService& CurrentColorDialogService() {
    static TQtColorDialogService qtService;
    return currentService ? *currentService : qtService;
}

QString CustomColorLine(int box, TColor color) {
    return QStringLiteral("Color") + QChar(u'A' + box) + u'=' +
           QString::number(color, 16).toUpper().rightJustified(8, u'0');
}
