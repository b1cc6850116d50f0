#pragma once

#include <QString>
#include <QStringList>

namespace files {

/// Splits a record at commas; a field that begins with a double quote is quoted (doubled
/// quotes inside stand for one). An empty line is one empty field; a trailing comma adds an
/// empty last field.
QStringList SplitFields(QStringView line);
/// The field of the line that starts at pos, as SplitFields reads it: a view of the line, or
/// of `scratch` when doubled quotes had to be undone; a null view for an empty quoted field.
/// Returns where the next field starts: beyond line.size() after the last field.
qsizetype NextField(QStringView line, qsizetype pos, QStringView& field, QString& scratch);
/// Integer of the trimmed field; 0 when it is not an integer.
int FieldInt(QStringView field);
/// True when the trimmed field is a number other than 0 or the word True (any case).
bool FieldBool(QStringView field);

/// A worksheet field as written: a text with a comma or a line break, or one that begins
/// with a double quote, is enclosed in double quotes with U+0007 for each double quote
/// inside and U+000E / U+000F for CR / LF; any other text is written as it is.
QString QuoteWorksheetText(const QString& text);
/// Appends QuoteWorksheetText of the text.
void AppendWorksheetText(QString& line, QStringView text);
/// Undoes the inner replacements of QuoteWorksheetText on a field that SplitFields returned.
void RestoreWorksheetText(QString& field);

} // namespace files
