#pragma once
// Where the main window's messages go, behind one seam (the same kind as the
// report's dialogs): normally modal boxes; a test installs its own boxes, so
// that it sees each message and no box waits for a click.

#include <QString>

class QWidget;
class TsuiMessageDialog;

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // The search's own messages, in the window's message box: shows `text`
    // in `dialog` and waits until the box is closed.
    virtual void showInformation(TsuiMessageDialog& dialog, const QString& text);
    // A failure of the catalogue, in the toolkit's error box, titled with the
    // program's title, wide enough for its whole caption and centred on the
    // window `parent` belongs to.
    virtual void showError(QWidget* parent, const QString& text);
};

// The boxes in use; SetMessageBoxes(nullptr) restores the toolkit's.
MessageBoxes& CurrentMessageBoxes();
void SetMessageBoxes(MessageBoxes* boxes);

// Shows `text` through the boxes in use.
void ShowInformationBox(TsuiMessageDialog& dialog, const QString& text);

// The text of the error box for a catalogue that could not be read: a first
// line in the user's language naming the file, then the database engine's
// own text (which may be in English), as the engine gave it.
QString CatalogueErrorText(const QString& catalogueFileName, const QString& engineText);

// Shows a failure reported by the catalogue through the boxes in use.
void ShowErrorBox(QWidget* parent, const QString& text);
