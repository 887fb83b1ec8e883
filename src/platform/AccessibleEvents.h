#pragma once

class QAccessibleEvent;

// Tells assistive tools of a change: Qt passes the event on while a screen reader listens (never
// on the offscreen platform). An observer a test installs sees every event sent this way, listening
// or not.
void SendAccessibleEvent(QAccessibleEvent& event);

// Whether an event sent now reaches anyone (a screen reader or the test's observer), so the
// sender can skip building it.
bool AccessibleEventsHeard();

using TAccessibleEventObserver = void (*)(QAccessibleEvent* event);
// Installs the observer (nullptr removes it) and gives back the one installed before.
TAccessibleEventObserver SetAccessibleEventObserver(TAccessibleEventObserver observer);
