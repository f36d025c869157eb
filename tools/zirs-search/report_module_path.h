#pragma once
// Where zirs-search finds its report module at run time: always relative to
// its own folder, never by a path of the build, so a built tree and an
// installed one both work and can be moved.

#include <QString>

// The module beside the program (a build tree: build/bin), else in the
// program's private library folder of an installed tree (bin/../lib/zirs-tavelin).
// When neither exists, the installed location, so the error names it.
QString FindReportModule(const QString& programDir);
