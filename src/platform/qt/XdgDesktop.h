#pragma once

#include "platform/Desktop.h"

namespace platform {

/// Associations and the applications menu by the freedesktop.org conventions, in the
/// current user's own folders (no administrator rights needed):
/// - the worksheet file type application/x-mavix with the glob *.mvx: mime/packages/
///   x-mavix.xml in the user's MIME database, rebuilt by update-mime-database;
/// - the program's entry that opens documents: applications/mavix.desktop, kept out of
///   the menus, listing the types the program is the default for;
/// - the defaults: [Default Applications] of the user's mimeapps.list;
/// - the menu folder applications/Mavix with one .desktop file per entry, shown as the
///   submenu "Mavix" by menus/applications-merged/Mavix.menu and
///   desktop-directories/Mavix.directory.
/// The desktop does not make associations itself here: newShellMode() is false.
class XdgDesktop : public Desktop {
public:
    struct Folders {
        QString dataHome;     // XDG_DATA_HOME
        QString configHome;   // XDG_CONFIG_HOME
        QStringList dataDirs; // XDG_DATA_DIRS; the first one is all users' menu
        QString menuPrefix;   // XDG_MENU_PREFIX
    };
    /// The folders the environment names, with the freedesktop.org defaults.
    static Folders EnvironmentFolders();

    /// The environment's folders and the running program.
    XdgDesktop();
    XdgDesktop(Folders folders, QString program);

    QString programPath() const override { return m_program; }
    bool newShellMode() const override { return false; }
    bool associate(const Association& association) override;
    void removeAssociation() override;
    std::optional<QString> openWithDefault(const QString& path,
                                           const QString& workingFolder) override;
    QString menuFolder(bool allUsers) const override;
    bool createMenuEntry(const QString& folder, const QString& name, const QString& program,
                         const QStringList& arguments, const QString& workingFolder) override;
    void removeMenu() override;

    /// The Exec value of a desktop entry: each argument quoted where the entry format
    /// needs it, written as a key-file string.
    static QString ExecValue(const QString& program, const QStringList& arguments);
    /// The text of a mimeapps.list with `desktopId` put first in the default of `type`
    /// (add) or taken out of it (remove); everything else stays as it was.
    static QString EditDefault(const QString& text, const QString& type, const QString& desktopId,
                               bool add);

    static constexpr char16_t WorksheetType[] = u"application/x-mavix";
    static constexpr char16_t CsvType[] = u"text/csv";
    static constexpr char16_t EntryId[] = u"mavix.desktop";

private:
    QString applicationsFolder() const;
    QString mimeFolder() const;
    QString mimeappsPath() const;
    QString entryPath() const;
    QString menuFilePath() const;
    QString directoryFilePath() const;
    bool registerWorksheetType(const QString& description);
    bool setDefault(const QString& type, bool add);
    bool writeEntry(const QString& program);
    /// The types whose default names the program's entry now.
    QStringList defaultTypes() const;
    bool updateMimeDatabase() const;
    bool writeMenuFile(const QString& folder) const;

    Folders m_folders;
    QString m_program;
};

} // namespace platform
