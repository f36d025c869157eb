#pragma once
// What the X server and its window manager say, asked from outside the
// program, and input sent through the server as a user's hands send it. The
// program's own idea of where its windows lie is exactly what these tests
// doubt, so positions come from the server, never from Qt.

#include <QPoint>
#include <QRect>
#include <QStringList>
#include <QWindow>

// The window's area on the root window as the server has it, or an invalid
// rectangle if the server does not know the window.
QRect ServerGeometry(WId window);

// The title the window manager shows for the window (_NET_WM_NAME).
QString ServerTitle(WId window);

// Runs xdotool with the arguments and waits for it; false if it failed.
bool Xdo(const QStringList& arguments);

// Pointer and keyboard through the server (XTEST), so the window manager
// sees them as well.
bool MovePointer(QPoint global);
bool Click(QPoint global);
bool PressButton(QPoint global);
bool ReleaseButton();
bool PressKey(const QString& keysym);
