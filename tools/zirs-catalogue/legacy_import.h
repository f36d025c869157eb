#pragma once
// Carrying over an old Access (Jet) catalogue: the parent side starts the
// reader as a child process and judges what it reports; the child side reads
// the file with libmdb.

#include "search/legacy_report.h"

#include <QString>

// The hidden command that runs this program as the reader.
inline constexpr const char* LegacyChildCommand = "--read-jet-catalogue";
// How long the reader may take before it counts as hung.
inline constexpr int LegacyTimeoutSeconds = 10;

// Reads the table `Критерии` of `path` through the child `program`.
TLegacyOutcome ReadLegacyCatalogue(const QString& program, const QString& path);

// The child: reads `path`, writes the report to stdout, returns the exit code.
int RunLegacyChild(const char* path);
