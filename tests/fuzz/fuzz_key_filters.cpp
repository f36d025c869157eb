// Random keystroke sequences into the key filters, through a field that
// behaves as a one-line edit with a caret, a selection and a maximum length:
// a passed character replaces the selection and is inserted only while the
// text stays within the maximum; backspace deletes the selection or the
// character before the caret. After every keystroke the field holds only
// what its filter admits and never more than its maximum length; the slope
// never holds two commas.
//
// Input: byte 0 picks the field; then operations of one to three bytes.

#include "search/key_filters.h"

#include <QString>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

enum FieldKind { Slope, Volume, Thickness, Cost, Temperature, Wear, Address, FieldCount };

constexpr int MaxLength[FieldCount] = {4, 4, 3, 4, 3, 3, 50};

// Characters a user is likely to type into these fields, so short inputs
// reach the interesting cases; any other UTF-16 unit comes by opcode 1.
constexpr char16_t Keys[] = u"0123456789-,.\bаяёждАЯЁaZ +/eE\x01\x7f";

[[noreturn]] void Fail(const char* what, const QString& text, QChar key) {
    std::fprintf(stderr, "invariant broken: %s [text \"%s\", key U+%04X]\n", what,
                 text.toUtf8().constData(), key.unicode());
    std::abort();
}

struct SimulatedField {
    FieldKind Kind = Slope;
    QString Text;
    int Caret = 0;
    int Anchor = 0;
    bool LeftShift = false;
    bool RightShift = false;

    int SelectionStart() const { return std::min(Caret, Anchor); }
    int SelectionEnd() const { return std::max(Caret, Anchor); }

    void RemoveSelection() {
        const int start = SelectionStart();
        Text.remove(start, SelectionEnd() - start);
        Caret = Anchor = start;
    }

    void Backspace() {
        if (Caret != Anchor) {
            RemoveSelection();
        } else if (Caret > 0) {
            Text.remove(Caret - 1, 1);
            Anchor = --Caret;
        }
    }

    void Insert(QChar c) {
        RemoveSelection();
        if (Text.size() >= MaxLength[Kind])
            return;
        Text.insert(Caret, c);
        Anchor = ++Caret;
    }

    std::optional<QChar> Filter(QChar key) const {
        switch (Kind) {
        case Slope:
            return DBAdvMaskEdit1KeyPress(key, Text);
        case Temperature:
            return DBAdvMaskEdit5KeyPress(key);
        case Address:
            return DBAdvMaskEdit7KeyPress(key, SelectionStart(), LeftShift, RightShift);
        default:
            return DBAdvMaskEdit2KeyPress(key);
        }
    }

    // What the filters promise for one keystroke, whatever the field holds.
    void CheckFilterAnswer(QChar key, const std::optional<QChar>& passed) const {
        const bool digit = key >= u'0' && key <= u'9';
        if ((digit || key == BackspaceKey) && passed != key)
            Fail("digits and backspace pass unchanged", Text, key);
        if (Kind == Address) {
            const bool acts = SelectionStart() == 0 && !(LeftShift && !RightShift);
            const bool lower = key >= u'а' && key <= u'я';
            if (!passed)
                Fail("the address takes every character", Text, key);
            if (acts && lower && *passed != QChar(key.unicode() - 32))
                Fail("a first lowercase letter becomes its capital", Text, key);
            if ((!acts || key == u',' || key == u'.') && *passed != key)
                Fail("the address passes the character unchanged", Text, key);
            return;
        }
        if (Kind == Slope && (key == u'.' || key == u',')) {
            const std::optional<QChar> expected =
                Text.contains(u',') ? std::nullopt : std::optional<QChar>(u',');
            if (passed != expected)
                Fail("a full stop or comma becomes the one comma", Text, key);
        }
        if (passed && *passed != key && !(Kind == Slope && *passed == u','))
            Fail("a numeric filter changes only the full stop", Text, key);
    }

    void CheckText(QChar key) const {
        if (Text.size() > MaxLength[Kind])
            Fail("text within the maximum length", Text, key);
        if (Kind == Address)
            return;
        for (const QChar c : Text) {
            const bool digit = c >= u'0' && c <= u'9';
            const bool minus = c == u'-' && (Kind == Slope || Kind == Temperature);
            const bool comma = c == u',' && Kind == Slope;
            if (!digit && !minus && !comma)
                Fail("only admitted characters in a numeric field", Text, key);
        }
        if (Text.count(u',') > 1)
            Fail("at most one comma in the slope", Text, key);
    }

    void Type(QChar key) {
        const std::optional<QChar> passed = Filter(key);
        CheckFilterAnswer(key, passed);
        if (passed) {
            if (*passed == BackspaceKey)
                Backspace();
            else
                Insert(*passed);
        }
        CheckText(key);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    SimulatedField field;
    field.Kind = static_cast<FieldKind>(data[0] % FieldCount);
    size_t pos = 1;
    const auto next = [&]() -> unsigned { return pos < size ? data[pos++] : 0u; };
    while (pos < size) {
        const unsigned op = next();
        const int positions = static_cast<int>(field.Text.size()) + 1;
        switch (op % 6) {
        case 0:
            field.Type(QChar(Keys[next() % (sizeof Keys / sizeof Keys[0] - 1)]));
            break;
        case 1: {
            const unsigned low = next();
            field.Type(QChar(static_cast<char16_t>(low | (next() << 8))));
            break;
        }
        case 2:
            field.Caret = field.Anchor = static_cast<int>(next() % positions);
            break;
        case 3:
            field.Anchor = static_cast<int>(next() % positions);
            field.Caret = static_cast<int>(next() % positions);
            break;
        case 4:
            field.LeftShift = op & 0x10;
            field.RightShift = op & 0x20;
            break;
        case 5:
            field.Anchor = 0;
            field.Caret = static_cast<int>(field.Text.size());
            break;
        }
    }
    return 0;
}
