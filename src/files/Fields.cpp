#include "files/Fields.h"

#include "core/Cells.h"

namespace files {

QStringList SplitFields(QStringView line)
{
    QStringList fields;
    const qsizetype n = line.size();
    qsizetype pos = 0;
    do {
        QString field;
        if (pos < n && line[pos] == u'"') {
            ++pos;
            while (pos < n) {
                if (line[pos] == u'"') {
                    if (pos + 1 < n && line[pos + 1] == u'"') {
                        field += u'"';
                        pos += 2;
                        continue;
                    }
                    ++pos;
                    break;
                }
                field += line[pos++];
            }
            if (pos < n && line[pos] == u',')
                ++pos;
            else if (pos >= n)
                pos = n + 1;
        } else {
            const qsizetype comma = line.indexOf(u',', pos);
            const qsizetype end = comma < 0 ? n : comma;
            field = line.mid(pos, end - pos).toString();
            pos = end + 1;
        }
        fields.append(field);
    } while (pos <= n);
    return fields;
}

int FieldInt(QStringView field)
{
    bool ok = false;
    const int value = field.trimmed().toInt(&ok);
    return ok ? value : 0;
}

bool FieldBool(QStringView field)
{
    const QStringView t = field.trimmed();
    if (t.compare(u"True", Qt::CaseInsensitive) == 0)
        return true;
    return core::IsNumericText(t) && core::ParseNumber(t) != 0;
}

} // namespace files
