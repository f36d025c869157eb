#pragma once
// Where the main window's messages go. Normally they are shown as modal
// boxes; a test can take them instead, so that it sees each message and no
// box waits for a click.

#include <QString>

#include <functional>

class QWidget;
class TsuiMessageDialog;

enum class MessageBoxKind {
    Information, // the search's own messages, in the window's message box
    Error,       // a failure of the catalogue, in the toolkit's error box
};

using MessageBoxAnswerer = std::function<void(MessageBoxKind kind, const QString& text)>;

// While an answerer is set, no box is shown: the answerer receives the
// message and the call returns at once. An empty function restores the boxes.
void SetMessageBoxAnswerer(MessageBoxAnswerer answerer);

// Shows `text` in `dialog` and waits until the box is closed.
void ShowInformationBox(TsuiMessageDialog& dialog, const QString& text);

// Shows a failure reported by the catalogue in the toolkit's error box.
void ShowErrorBox(QWidget* parent, const QString& text);
