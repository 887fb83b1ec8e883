#include "platform/AccessibleEvents.h"

#include <QAccessible>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QVariantMap>

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

void SendAccessibleNameChange(QObject* object) {
    if (!AccessibleEventsHeard()) {
        return;
    }
    QAccessibleEvent event(object, QAccessible::NameChanged);
    if (gObserver != nullptr) {
        gObserver(&event);
    }
    if (!QAccessible::isActive()) {
        return;
    }
    // The connection and the object paths of Qt's AT-SPI bridge.
    const QDBusConnection bus(QStringLiteral("a11y"));
    QAccessibleInterface* access = QAccessible::queryAccessibleInterface(object);
    if (!bus.isConnected() || access == nullptr) {
        QAccessible::updateAccessibility(&event);
        return;
    }
    QDBusMessage change = QDBusMessage::createSignal(
        QStringLiteral("/org/a11y/atspi/accessible/") + QString::number(QAccessible::uniqueId(access)),
        QStringLiteral("org.a11y.atspi.Event.Object"), QStringLiteral("PropertyChange"));
    change << QStringLiteral("accessible-name") << 0 << 0
           << QVariant::fromValue(QDBusVariant(access->text(QAccessible::Name))) << QVariantMap();
    bus.send(change);
}

bool AccessibleEventsHeard() {
    return gObserver != nullptr || QAccessible::isActive();
}

TAccessibleEventObserver SetAccessibleEventObserver(TAccessibleEventObserver observer) {
    const TAccessibleEventObserver previous = gObserver;
    gObserver = observer;
    return previous;
}
