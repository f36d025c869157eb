#pragma once
// The help window: a fixed page headed "СПРАВКА" that says what the system is
// for, what its catalogue holds and which decision principles its search
// rests on, with links to the developers' web site and mailbox. It is shown
// modally, as often as the user asks, and always shows the same page.

#include "widgets/link_label.h"
#include "widgets/skinned_window.h"

class TForm6 : public SkinnedDialog {
    Q_OBJECT
public:
    static constexpr int ClientWidth = 987;
    static constexpr int ClientHeight = 721;

    explicit TForm6(QWidget* parent = nullptr);

    // Shows the page application-modal and returns once it is closed by "ОК"
    // or the title bar's close button.
    void showModal();

    // Where the two links send their targets.
    ShellOpener openUrl = OpenWithDesktopShell;

private:
    void placeOnScreen();
};
