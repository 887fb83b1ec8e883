#include "platform/AccessibleEvents.h"

#include <QAccessible>

namespace {

TAccessibleEventObserver gObserver = nullptr;

} // namespace

void SendAccessibleEvent(QAccessibleEvent& event) {
    if (gObserver != nullptr) {
        gObserver(&event);
    }
    if (QAccessible::isActive()) {
        QAccessible::updateAccessibility(&event);
    }
}

bool AccessibleEventsHeard() {
    return gObserver != nullptr || QAccessible::isActive();
}

TAccessibleEventObserver SetAccessibleEventObserver(TAccessibleEventObserver observer) {
    const TAccessibleEventObserver previous = gObserver;
    gObserver = observer;
    return previous;
}
