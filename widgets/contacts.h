#pragma once
// The developers' addresses that the help and results windows open.

#include <QString>

inline const QString DevelopersWebSite = QStringLiteral("https://zirs-tavelin.example.org");
inline const QString DevelopersMailbox = QStringLiteral("zirs-tavelin@example.org");
