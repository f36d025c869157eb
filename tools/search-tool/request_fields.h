#pragma once
// The request of one search as named texts and flags, the way both the
// command line and a batch row spell it, and their reading into the window's
// inputs. One reader serves both, so a row and the same options on the
// command line give the same inputs or the same error.

#include "search/search_inputs.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <variant>

struct SearchRequestFields {
    std::optional<QString> Address, Group, Subject;
    std::optional<QString> Slope, Volume, Thickness, Cost, Temperature, Wear;
    std::optional<QString> Internal, External; // criterion lists, names or indices
    bool OpenFire = false;
    bool Weighting = false;
    bool PowerSupply = false;
};

// The keys that take a text ("address", "group", ..., "external") and the
// keys that are flags ("open-fire", "weighting", "power-supply"), each the
// long option name without its dashes.
const QStringList& RequestTextKeys();
const QStringList& RequestFlagKeys();

// Sets the field a key names; false when the key names none of them.
bool SetRequestText(SearchRequestFields& fields, const QString& key, const QString& value);
bool SetRequestFlag(SearchRequestFields& fields, const QString& key, bool value);

// The names accepted in criterion lists beside the indices: internal
// criteria 0-9 and external factors 0-4, in index order.
const QStringList& InternalCriterionNames();
const QStringList& ExternalFactorNames();

// The ticks, group and subject as the main window would hold them after the
// same choices; whatever the window could not express is an error text.
std::variant<SearchInputs, QString> MakeSearchInputs(const SearchRequestFields& fields);
