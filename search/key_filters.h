#pragma once
// The per-keystroke filters of the main window's edit fields. Each takes the
// typed character (and what it needs of the field) and returns the character
// to insert, or nothing when the keystroke is dropped.

#include <QChar>
#include <QString>

#include <optional>

inline constexpr char16_t BackspaceKey = u'\b';

// Volume, thickness, cost and wear: backspace and the digits.
std::optional<QChar> DBAdvMaskEdit2KeyPress(QChar key);

// Air temperature: backspace, the minus sign and the digits. The minus may go
// anywhere; a misplaced one is caught when the search reads the field.
std::optional<QChar> DBAdvMaskEdit5KeyPress(QChar key);

// Slope: backspace, the minus sign, the digits and one decimal comma. A full
// stop becomes a comma; a comma is refused while the field's text already
// holds one, even if that comma is selected and would be overwritten.
std::optional<QChar> DBAdvMaskEdit1KeyPress(QChar key, const QString& currentText);

// Address: capitalises its first letter. Acts only with the caret (or the
// start of the selection) at the very beginning, and not while the left
// Shift key is held without the right one. Acting, it turns a lowercase
// Cyrillic letter (ё included) into its capital; every other character passes
// unchanged, as it does anywhere else in the field.
std::optional<QChar> DBAdvMaskEdit7KeyPress(QChar key, int selectionStart, bool leftShiftDown,
                                            bool rightShiftDown);
