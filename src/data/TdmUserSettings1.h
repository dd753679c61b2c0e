#pragma once

#include <optional>

#include <QByteArray>
#include <QRect>
#include <QSize>
#include <QString>

#include "IniText.h"

namespace fb {
class Transaction;
}

// The user's own settings: preferences, the main window's placement and the sizes of child windows,
// kept as a sections-and-keys text in the user's USERSK row so that they follow the user from one
// workstation to the next. The module also knows the program's fixed file locations and the default
// interface language of this machine.
//
// Until the store is loaded (at log-in) reads give their defaults and writes are dropped: nothing
// written before log-in could be saved to anyone's row anyway.
class TdmUserSettings1
{
public:
    // What the window was doing when its placement is stored.
    enum class WindowState { Normal, Maximized, Minimized };

    struct Placement
    {
        QRect geometry;
        bool maximized = false;
        QByteArray state; // tool bars and docks, when the window has them
    };

    // Empty arguments stand for the running program, the process's current directory and the file
    // that takes the place of the registry in the user's configuration directory.
    explicit TdmUserSettings1(const QString &programPath = QString(), const QString &currentDirectory = QString(),
                              const QString &registryFile = QString());
    // Saves a store that came from a file back to it; the store of the user's row is not saved here.
    ~TdmUserSettings1();
    TdmUserSettings1(const TdmUserSettings1 &) = delete;
    TdmUserSettings1 &operator=(const TdmUserSettings1 &) = delete;

    // File locations, fixed when the module is created.
    const QString &programDirectory() const { return m_programDirectory; }
    const QString &currentDirectory() const { return m_currentDirectory; }
    const QString &baseName() const { return m_baseName; }
    QString configFile() const;
    QString localSettingsFile() const;
    QString errorLogFile() const;
    QString helpDirectory() const;
    QString userManual() const;
    const QString &registryFile() const { return m_registryFile; }
    // Joins two path parts with exactly one separator between them; an empty part gives the other.
    static QString JoinPath(const QString &first, const QString &second);
    // ~/.config/Lumora/Velkora1/registry.ini: the per-user key the Windows program kept in the registry.
    static QString defaultRegistryFile();

    // The store. Loading happens once: a second load is ignored. Text that is not sections-and-keys
    // (binary data) leaves the store empty and gives false; the store still counts as loaded, so that
    // the settings of this run replace the damaged ones when they are saved.
    bool load(const QString &text);
    bool LoadSettings(const QString &text) { return load(text); }
    bool isLoaded() const { return m_loaded; }
    // The store's lines; nothing else happens.
    QString toText() const;
    // The store's lines, and the default language into the registry file when it is kept there.
    QString SaveSettings();
    // Loads the store from a file and remembers the file, so that destroying the module writes it back.
    bool loadFromFile(const QString &fileName);
    const QString &fileName() const { return m_fileName; }
    // The store of the user's USERSK row (the user code compared upper-cased). Without a row the store
    // is loaded empty and false is returned.
    bool loadFromUser(fb::Transaction &transaction, const QString &userCode);
    // Writes the store into the user's row and commits it retaining the transaction. Without a row
    // nothing is written and false is returned.
    bool saveToUser(fb::Transaction &transaction, const QString &userCode);

    // Values. Booleans are "1" and "0"; any other number reads as true, anything else as the default.
    QString ReadSetting(const QString &section, const QString &key, const QString &defaultValue = QString()) const;
    void WriteSetting(const QString &section, const QString &key, const QString &value);
    int ReadInteger(const QString &section, const QString &key, int defaultValue) const;
    void WriteInteger(const QString &section, const QString &key, int value);
    bool ReadBool(const QString &section, const QString &key, bool defaultValue) const;
    void WriteBool(const QString &section, const QString &key, bool value);
    bool hasSetting(const QString &section, const QString &key) const;
    const data::IniText &store() const { return m_store; }

    // The placement of a main window under a section of its own. Left, Top, Width and Height are
    // written only in the normal state, so that a window closed maximised comes back to its old
    // normal size before it is maximised again.
    void SaveWindowPlacement(const QString &name, WindowState state, const QRect &normalGeometry,
                             const QByteArray &windowState = QByteArray());
    // Nothing when the placement was never stored; missing values keep the current ones.
    std::optional<Placement> RestoreWindowPlacement(const QString &name, const QRect &currentGeometry) const;

    // Child window sizes, by the window's class name.
    void SaveChildSize(const QString &className, const QSize &size);
    QSize RestoreChildSize(const QString &className, const QSize &currentSize) const;
    // "Nulli akende suuruste mälu": every child window opens at its designed size again.
    void ForgetChildSizes();

    // The interface language: the user's own once the store is loaded, the machine's default before.
    QString CurrentLanguage() const;
    void SetCurrentLanguage(const QString &name);
    const QString &DefaultLanguage() const { return m_defaultLanguage; }
    bool defaultLanguageInRegistry() const { return m_defaultInRegistry; }
    void SetDefaultLanguage(const QString &name);

    static constexpr const char *PreferencesSection = "Preferences";
    static constexpr const char *NewContactOpenClientKey = "NewContactOpenClient";
    static constexpr const char *DefaultAgentFilterKey = "AndmeteleVaikimisiAgendiFilter";
    // The command that dials a number at this user's telephone (see QtUserInterface::setDialerCommand).
    static constexpr const char *DialerKey = "Dialer";
    static constexpr const char *MainWindowSection = "MainWindow";
    static constexpr const char *WindowsSection = "Windows";
    static constexpr const char *LanguageSection = "Language";
    static constexpr const char *CurrentLanguageKey = "CurrentLanguage";
    static constexpr const char *DefaultLanguageKey = "DefaultLanguage";

private:
    void readDefaultLanguage();
    void writeRegistry() const;

    QString m_programDirectory;
    QString m_currentDirectory;
    QString m_baseName;
    QString m_registryFile;

    data::IniText m_store;
    bool m_loaded = false;
    QString m_fileName;

    QString m_defaultLanguage;
    bool m_defaultFound = false;      // in the registry or the configuration file at start
    bool m_defaultInRegistry = false; // came from, or was set into, the registry
    bool m_defaultChanged = false;    // set since start: the next load takes it
};
