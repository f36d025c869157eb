#pragma once
// The one-line fields of the main window. Every typed character passes the
// field's key filter first; the filter may let it through, replace it or drop
// it. Text the user has typed shows in red from the first edit for the rest
// of the run, whatever later happens to the text.

#include "ui/shift_keys.h"

#include <QLineEdit>

#include <functional>
#include <optional>

class TAdvMaskEdit : public QLineEdit {
    Q_OBJECT
public:
    // Takes the typed character and the field as it stands before the
    // keystroke; returns the character to insert, or nothing to drop it.
    using KeyFilter = std::function<std::optional<QChar>(QChar typed, const TAdvMaskEdit& field)>;

    explicit TAdvMaskEdit(QWidget* parent = nullptr);

    void setKeyFilter(KeyFilter filter) { m_filter = std::move(filter); }
    void setFocusOnHover(bool on) { m_focusOnHover = on; }

    // Start of the selection, or the caret when nothing is selected.
    int selectionOrCaretStart() const;
    const ShiftKeys& shiftKeys() const { return m_shift; }
    bool showsUserText() const { return m_userText; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;

private:
    void markUserText();

    KeyFilter m_filter;
    ShiftKeys m_shift;
    bool m_focusOnHover = false;
    bool m_userText = false;
};
