#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace platform {

/// What an association makes the program open.
struct Association {
    bool mvx = false;    // worksheet files (.mvx), registered as a file type of their own
    bool csv = false;    // comma-separated files (.csv)
    QString program;     // the program's full path
    QString description; // the worksheet file type's name
};

/// The desktop's file associations and applications menu, for the current user.
class Desktop {
public:
    virtual ~Desktop() = default;
    /// The running program's full path.
    virtual QString programPath() const = 0;
    /// True where the desktop makes associations itself: it asks for a program the first
    /// time a document of a new type is opened. False where the program writes them.
    virtual bool newShellMode() const = 0;
    /// Makes the program the default for the chosen types, then writes the program's entry
    /// that opens documents. Stops at the first step that fails; what was done stays.
    virtual bool associate(const Association& association) = 0;
    /// Takes the association back: the worksheet file type, the program's defaults (for
    /// .csv only while it still names the program), its entry.
    virtual void removeAssociation() = 0;
    /// Opens a document with its default program from a working folder; nullopt when that
    /// started, else the failure as "result code:reason".
    virtual std::optional<QString> openWithDefault(const QString& path,
                                                   const QString& workingFolder) = 0;
    /// The applications menu folder "Mavix" of the current user, or of all users.
    virtual QString menuFolder(bool allUsers) const = 0;
    /// Writes a menu entry `name` into `folder` (which exists) that starts `program` with
    /// `arguments` in `workingFolder`, and shows the folder as a submenu.
    virtual bool createMenuEntry(const QString& folder, const QString& name, const QString& program,
                                 const QStringList& arguments, const QString& workingFolder) = 0;
    /// Removes what shows the current user's folder as a submenu (the folder itself is
    /// deleted by the caller).
    virtual void removeMenu() = 0;
};

} // namespace platform
