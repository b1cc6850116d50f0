#include "settings/Settings.h"

#include "core/App.h"
#include "platform/SettingsStore.h"
#include "platform/Ui.h"
#include "settings/RecentFiles.h"

#include <QtEndian>

namespace settings {

namespace {

/// The replace dialog's list once it has opened, else the list read at start-up.
const QStringList& replaceHistory(const App& app)
{
    return app.replaceDialog.opened ? app.replaceDialog.afterItems : app.sheet.ReplaceHistory;
}

} // namespace

namespace {

bool needsQuotes(QStringView item)
{
    for (const QChar ch : item)
        if (ch.unicode() <= u' ' || ch == u'"' || ch == u',')
            return true;
    return false;
}

bool isBlank(QChar ch)
{
    return ch.unicode() >= 1 && ch.unicode() <= u' ';
}

/// A quoted item starting at text[pos] == '"'; pos ends after the closing quote.
QString quotedItem(QStringView text, qsizetype& pos)
{
    QString item;
    ++pos;
    while (pos < text.size()) {
        if (text[pos] == u'"') {
            if (pos + 1 < text.size() && text[pos + 1] == u'"') {
                item += u'"';
                pos += 2;
                continue;
            }
            ++pos;
            break;
        }
        item += text[pos++];
    }
    return item;
}

QByteArray int32s(std::initializer_list<qint32> values)
{
    QByteArray bytes;
    for (const qint32 v : values) {
        char le[4];
        qToLittleEndian(v, le);
        bytes.append(le, 4);
    }
    return bytes;
}

qint32 int32At(const QByteArray& bytes, int index)
{
    return qFromLittleEndian<qint32>(bytes.constData() + 4 * index);
}

void readFontType(App& app, platform::SettingsStore& store)
{
    platform::FontSpec& font = app.settings.gridFont;
    std::optional<QByteArray> value = store.readBinary(QStringLiteral("FontType"));
    if (!value || value->size() > 16) {
        font.bold = false;
        font.italic = false;
        return;
    }
    value->resize(16, '\0');
    const qint32 size = int32At(*value, 0);
    if (size >= 1 && size <= 99) {
        font.size = size;
        app.sheet.FontSize = size;
    }
    font.bold = int32At(*value, 1) != 0;
    font.italic = int32At(*value, 2) != 0;
}

void readButtons(App& app, platform::SettingsStore& store, const QString& version)
{
    const std::optional<QByteArray> value = store.readBinary(QStringLiteral("Buttons"));
    if (!value || value->size() != 40)
        return;
    auto& visible = app.settings.ButtonVisible;
    if (version < QStringView(SettingsVersion)) {
        for (int i = 1; i <= 27; ++i)
            visible[ButtonRemap[i]] = std::uint8_t(value->at(i - 1));
        return;
    }
    for (int i = 1; i <= 40; ++i)
        visible[i] = std::uint8_t(value->at(i - 1));
}

void keepOnScreen(UserSettings& s)
{
    QRect& g = s.windowGeometry;
    if (g.left() < 0 || g.left() > s.screenSize.width() - 10)
        g.moveLeft(0);
    if (g.top() < 0 || g.top() > s.screenSize.height() - 10)
        g.moveTop(0);
}

void readAll(App& app, platform::SettingsStore& store)
{
    UserSettings& s = app.settings;
    const QString version = store.readString(QStringLiteral("Version")).value_or(QString());
    if (const auto wheel = store.readInt(QStringLiteral("Wheel")))
        s.Wheel = *wheel != 0;
    if (const auto style = store.readInt(QStringLiteral("GridStyle")))
        s.GridStyle = *style;
    if (const auto hist = store.readString(QStringLiteral("SrchHist")))
        app.sheet.SearchHistory = SplitCommaText(*hist);
    if (const auto hist = store.readString(QStringLiteral("ReplHist")))
        app.sheet.ReplaceHistory = SplitCommaText(*hist);
    if (s.windowState != WindowState::Maximized) {
        const auto form = store.readBinary(QStringLiteral("Form"));
        if (form && form->size() == 16)
            s.windowGeometry = QRect(int32At(*form, 0), int32At(*form, 1), int32At(*form, 2),
                                     int32At(*form, 3));
    }
    const auto fontName = store.readString(QStringLiteral("FontName"));
    if (fontName && !fontName->isEmpty())
        s.gridFont.name = *fontName;
    readFontType(app, store);
    for (int i = 0; i < MaxRecentFiles; ++i) {
        const auto file = store.readString(QStringLiteral("File") + QString::number(i));
        if (file && !file->isEmpty())
            app.sheet.RecentFiles.append(*file);
    }
    readButtons(app, store, version);
}

QByteArray buttonBytes(const UserSettings& s)
{
    QByteArray bytes(40, '\0');
    for (int i = 1; i <= 40; ++i)
        bytes[i - 1] = char(s.ButtonVisible[i]);
    return bytes;
}

void reportWriteError(App& app)
{
    platform::Message error;
    error.icon = platform::Icon::None;
    error.text = QStringLiteral("レジストリ書き込みエラー.");
    app.ui().message(error);
}

bool writeAll(App& app, platform::SettingsStore& store)
{
    const UserSettings& s = app.settings;
    const QString version = QString::fromUtf16(SettingsVersion);
    if (!store.writeString(QStringLiteral("Version"), version))
        return false;
    if (s.windowState == WindowState::Normal) {
        const QRect& g = s.windowGeometry;
        if (!store.writeBinary(QStringLiteral("Form"),
                               int32s({g.left(), g.top(), g.width(), g.height()})))
            return false;
    }
    const platform::FontSpec& font = s.gridFont;
    const bool ok =
        store.writeInt(QStringLiteral("Wheel"), s.Wheel ? 1 : 0)
        && store.writeInt(QStringLiteral("GridStyle"), s.GridStyle)
        && store.writeString(QStringLiteral("SrchHist"), JoinCommaText(app.sheet.SearchHistory))
        && store.writeString(QStringLiteral("ReplHist"), JoinCommaText(replaceHistory(app)))
        && store.writeString(QStringLiteral("FontName"), font.name)
        && store.writeBinary(QStringLiteral("FontType"),
                             int32s({app.sheet.FontSize, font.bold ? -1 : 0,
                                     font.italic ? -1 : 0}))
        && store.writeBinary(QStringLiteral("Buttons"), buttonBytes(s));
    if (!ok)
        return false;
    for (qsizetype i = 0; i < app.sheet.RecentFiles.size() && i < MaxRecentFiles; ++i)
        if (!store.writeString(QStringLiteral("File") + QString::number(i),
                               app.sheet.RecentFiles[i]))
            return false;
    return store.sync();
}

} // namespace

QString JoinCommaText(const QStringList& items)
{
    if (items.size() == 1 && items[0].isEmpty())
        return QStringLiteral("\"\"");
    QString text;
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (i > 0)
            text += u',';
        const QString& item = items[i];
        if (needsQuotes(item))
            text += u'"' + QString(item).replace(u'"', QStringLiteral("\"\"")) + u'"';
        else
            text += item;
    }
    return text;
}

QStringList SplitCommaText(QStringView text)
{
    QStringList items;
    const qsizetype n = text.size();
    qsizetype pos = 0;
    const auto skipBlanks = [&] {
        while (pos < n && isBlank(text[pos]))
            ++pos;
    };
    skipBlanks();
    while (pos < n) {
        if (text[pos] == u'"') {
            items.append(quotedItem(text, pos));
        } else {
            const qsizetype start = pos;
            while (pos < n && text[pos].unicode() > u' ' && text[pos] != u',')
                ++pos;
            items.append(text.mid(start, pos - start).toString());
        }
        skipBlanks();
        if (pos < n && text[pos] == u',') {
            if (pos + 1 == n)
                items.append(QString());
            ++pos;
            skipBlanks();
        }
    }
    return items;
}

void LoadSettings(App& app)
{
    UserSettings& s = app.settings;
    s.Wheel = true;
    s.GridStyle = 1;
    platform::SettingsStore& store = app.settingsStore();
    if (store.exists())
        readAll(app, store);
    keepOnScreen(s);
    ShowRecentFiles(app);
}

void SaveSettings(App& app)
{
    if (!app.settings.SettingsWritable)
        return;
    if (!writeAll(app, app.settingsStore()))
        reportWriteError(app);
}

void SaveToolbarSettings(App& app)
{
    if (!app.settings.SettingsWritable)
        return;
    platform::SettingsStore& store = app.settingsStore();
    if (!store.writeString(QStringLiteral("Version"), QString::fromUtf16(SettingsVersion))
        || !store.writeBinary(QStringLiteral("Buttons"), buttonBytes(app.settings))
        || !store.sync())
        reportWriteError(app);
}

} // namespace settings
