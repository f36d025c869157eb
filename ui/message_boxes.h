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

// The text of the error box for a catalogue that could not be read: a first
// line in the user's language naming the file, then the database engine's
// own text (which may be in English), as the engine gave it.
QString CatalogueErrorText(const QString& catalogueFileName, const QString& engineText);

// Shows a failure reported by the catalogue in the toolkit's error box,
// titled with the program's title, wide enough for its whole caption and
// centred on the window `parent` belongs to.
void ShowErrorBox(QWidget* parent, const QString& text);
