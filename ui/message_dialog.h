#pragma once
// The main window's message box: a skinned modal box with the information
// icon, the message in Times New Roman and a single button "ОК". It is made
// once and reused; each message sets its text anew.

#include "widgets/skinned_window.h"

class QLabel;
class QPushButton;

class TsuiMessageDialog : public SkinnedDialog {
    Q_OBJECT
public:
    explicit TsuiMessageDialog(QWidget* parent = nullptr);

    void setText(const QString& text);
    QString text() const;
    QPushButton* button() const { return m_button; }

    // Shows the box application-modal, centred on the screen, and returns
    // when it is closed by its button, Enter, Escape or the title bar.
    int exec() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void fitToText();

    QLabel* m_icon;
    QLabel* m_text;
    QPushButton* m_button;
};
