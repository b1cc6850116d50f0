#pragma once

#include <QString>
#include <QStringList>
#include <array>

struct App;

namespace settings {

/// The settings key's location in the registry of the original platform; here the store
/// is QSettings("Tarn", "Mavix").
inline constexpr char16_t SettingsKey[] = u"Software\\Tarn\\Mavix";
inline constexpr char16_t SettingsVersion[] = u"4.00";

/// The current toolbar button of each button of the order before version 4.00 (1..27).
constexpr std::array<int, 28> ButtonRemap = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,
                                             10, 11, 12, 13, 14, 15, 16, 17, 21, 23,
                                             24, 25, 26, 27, 28, 29, 30, 31};

/// The items joined by commas; an item with a blank, a control character, a comma or a
/// double quote is quoted with its quotes doubled; one empty item is written as "".
QString JoinCommaText(const QStringList& items);
/// Splits at commas and at unquoted blanks and control characters; a quoted item loses its
/// quotes; a trailing comma adds an empty item.
QStringList SplitCommaText(QStringView text);

/// Reads the settings at start-up into App (window geometry unless the window starts
/// maximized, kept on screen), then rebuilds the recent-file menu.
void LoadSettings(App& app);
/// Writes every setting when the program ends, unless SettingsWritable is off.
void SaveSettings(App& app);
/// Writes the version and the toolbar choice (after the toolbar editor's OK).
void SaveToolbarSettings(App& app);

} // namespace settings
