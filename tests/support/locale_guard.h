#pragma once
// Sets the default QLocale for one scope and puts the previous one back when
// the scope ends, also when a failed comparison returns from the test early,
// so no locale leaks into the tests that run after it.

#include <QLocale>

class LocaleGuard {
public:
    explicit LocaleGuard(const QLocale& locale) { QLocale::setDefault(locale); }
    ~LocaleGuard() { QLocale::setDefault(m_saved); }
    LocaleGuard(const LocaleGuard&) = delete;
    LocaleGuard& operator=(const LocaleGuard&) = delete;

private:
    QLocale m_saved;
};
