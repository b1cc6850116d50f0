#include "files/Csv.h"

namespace files {

// FIXME: CSV import and export are not built yet.
void OpenCsv(App&, const QString&) {}

core::Result<core::Unit> WriteCsv(App&, const QString&, int, int, int, int, int)
{
    return core::Error{core::ErrorCode::WriteFailed, 0, QStringLiteral("not available")};
}

core::Result<core::Unit> WriteTxt(App&, const QString&, int, int, int, int)
{
    return core::Error{core::ErrorCode::WriteFailed, 0, QStringLiteral("not available")};
}

QString CsvFieldToCellText(const QString& field)
{
    return field;
}

} // namespace files
