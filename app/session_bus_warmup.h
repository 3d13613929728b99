#pragma once
// The first widget that names itself to assistive technology (the tab
// strip's scroll buttons) starts Qt's accessibility bridge, which connects
// to the session bus, and the window waits for that connection. Where no
// bus runs it is worse: the D-Bus library tries to start one by running
// dbus-launch. None of it needs the window, so the connection is begun on
// a thread of its own as soon as the application exists, and is ready, or
// nearly, by the time the tab strip asks for it. A connection is made once
// per process and shared, so nothing is done twice.

// Begins connecting to the session bus on another thread. Needs the
// QApplication.
void StartSessionBusConnection();

// Waits until that thread has ended. Cheap once the connection is made.
void WaitForSessionBusConnection();
