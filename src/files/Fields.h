#pragma once

#include <QString>
#include <QStringList>

namespace files {

/// Splits a record at commas; a field that begins with a double quote is quoted (doubled
/// quotes inside stand for one). An empty line is one empty field; a trailing comma adds an
/// empty last field.
QStringList SplitFields(QStringView line);
/// Integer of the trimmed field; 0 when it is not an integer.
int FieldInt(QStringView field);
/// True when the trimmed field is a number other than 0 or the word True (any case).
bool FieldBool(QStringView field);

} // namespace files
