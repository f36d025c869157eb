#include "search/key_filters.h"

namespace {

bool IsDigit(QChar key) {
    return key >= u'0' && key <= u'9';
}

} // namespace

std::optional<QChar> DBAdvMaskEdit2KeyPress(QChar key) {
    if (key == BackspaceKey || IsDigit(key))
        return key;
    return std::nullopt;
}

std::optional<QChar> DBAdvMaskEdit5KeyPress(QChar key) {
    if (key == BackspaceKey || key == u'-' || IsDigit(key))
        return key;
    return std::nullopt;
}

std::optional<QChar> DBAdvMaskEdit1KeyPress(QChar key, const QString& currentText) {
    if (key == BackspaceKey || key == u'-' || IsDigit(key))
        return key;
    if (key == u'.' || key == u',') {
        if (currentText.contains(u','))
            return std::nullopt;
        return QChar(u',');
    }
    return std::nullopt;
}

std::optional<QChar> DBAdvMaskEdit7KeyPress(QChar key, int selectionStart, bool leftShiftDown,
                                            bool rightShiftDown) {
    const bool acts = selectionStart == 0 && !(leftShiftDown && !rightShiftDown);
    if (!acts)
        return key;
    if (key >= u'а' && key <= u'я')
        return QChar(static_cast<char16_t>(key.unicode() - 32));
    if (key == u'ё')
        return QChar(u'Ё');
    return key;
}
