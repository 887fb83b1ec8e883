#pragma once

class QAccessibleEvent;

// Tells assistive tools of a change: Qt passes the event on while a screen reader listens (never
// on the offscreen platform). An observer a test installs sees every event sent this way, listening
// or not.
void SendAccessibleEvent(QAccessibleEvent& event);

class QObject;

// Tells assistive tools that the accessible name of `object` changed. Qt 6.4's AT-SPI bridge sends
// this change with the object in place of its new name, which screen readers cannot speak (Orca
// logs an error); so where the bridge's bus connection is up, the change goes out on it as AT-SPI
// expects it, with the new name, from the object's own path.
void SendAccessibleNameChange(QObject* object);

// Whether an event sent now reaches anyone (a screen reader or the test's observer), so the
// sender can skip building it.
bool AccessibleEventsHeard();

using TAccessibleEventObserver = void (*)(QAccessibleEvent* event);
// Installs the observer (nullptr removes it) and gives back the one installed before.
TAccessibleEventObserver SetAccessibleEventObserver(TAccessibleEventObserver observer);
