#include "TdmUserSettings1.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "fb/Statement.h"
#include "fb/Transaction.h"

namespace {

// A user's settings are a few dozen lines. A row holding thousands is damaged, and reading it line by
// line into the store would take longer than anyone waits at log-in.
constexpr qsizetype MaxSettingsLines = 4000;

// A log-in name longer than the column finds no row instead of failing the statement.
const QString kUserCodeParam = QStringLiteral("cast(? as varchar(255))");

const QString kMaximized = QStringLiteral("Maximized");
const QString kLeft = QStringLiteral("Left");
const QString kTop = QStringLiteral("Top");
const QString kWidth = QStringLiteral("Width");
const QString kHeight = QStringLiteral("Height");
const QString kState = QStringLiteral("State");

QString section(const char *name)
{
    return QString::fromLatin1(name);
}

bool isSeparator(QChar c)
{
    return c == QLatin1Char('/') || c == QLatin1Char('\\');
}

// Control characters other than those of ordinary text lines mean the row holds something else than
// text (a picture, a stream of some other program).
bool looksLikeText(const QString &text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 && u != u'\t' && u != u'\n' && u != u'\r' && u != u'\f' && u != u'\v' && u != 0x1a)
            return false;
    }
    return text.count(QLatin1Char('\n')) <= MaxSettingsLines;
}

} // namespace

TdmUserSettings1::TdmUserSettings1(const QString &programPath, const QString &currentDirectory,
                                   const QString &registryFile)
{
    const QFileInfo program(programPath.isEmpty() ? QCoreApplication::applicationFilePath() : programPath);
    m_programDirectory = program.absolutePath();
    m_baseName = program.completeBaseName();
    m_currentDirectory = QDir(currentDirectory.isEmpty() ? QDir::currentPath() : currentDirectory).absolutePath();
    m_registryFile = registryFile.isEmpty() ? defaultRegistryFile() : registryFile;
    readDefaultLanguage();
}

TdmUserSettings1::~TdmUserSettings1()
{
    if (m_loaded && !m_fileName.isEmpty())
        m_store.save(m_fileName); // a file that cannot be written is no reason to fail the shutdown
}

QString TdmUserSettings1::configFile() const
{
    return JoinPath(m_programDirectory, m_baseName + QStringLiteral(".ini"));
}

QString TdmUserSettings1::localSettingsFile() const
{
    return JoinPath(m_currentDirectory, m_baseName + QStringLiteral("L.ini"));
}

QString TdmUserSettings1::errorLogFile() const
{
    return JoinPath(m_currentDirectory, m_baseName + QStringLiteral(".errorlog"));
}

QString TdmUserSettings1::helpDirectory() const
{
    return JoinPath(m_programDirectory, QStringLiteral("Help"));
}

QString TdmUserSettings1::userManual() const
{
    return JoinPath(helpDirectory(), QStringLiteral("manual-ee.pdf"));
}

QString TdmUserSettings1::JoinPath(const QString &first, const QString &second)
{
    QString a = first.trimmed();
    QString b = second.trimmed();
    if (a.isEmpty())
        return b;
    if (b.isEmpty())
        return a;
    // One separator, not one from each side; the root "/" alone keeps its own.
    while (a.size() > 1 && isSeparator(a.back()))
        a.chop(1);
    while (!b.isEmpty() && isSeparator(b.front()))
        b.remove(0, 1);
    if (isSeparator(a.back()))
        return a + b;
    return a + QLatin1Char('/') + b;
}

QString TdmUserSettings1::defaultRegistryFile()
{
    return JoinPath(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation),
                    QStringLiteral("Lumora/Velkora1/registry.ini"));
}

void TdmUserSettings1::readDefaultLanguage()
{
    const QString language = section(LanguageSection);
    const QString key = QString::fromLatin1(DefaultLanguageKey);
    const data::IniText registry = data::IniText::load(m_registryFile);
    if (registry.hasKey(language, key)) {
        m_defaultLanguage = registry.value(language, key).trimmed();
        m_defaultFound = true;
        m_defaultInRegistry = true;
        return;
    }
    const data::IniText config = data::IniText::load(configFile());
    if (config.hasKey(language, key)) {
        m_defaultLanguage = config.value(language, key).trimmed();
        m_defaultFound = true;
    }
}

void TdmUserSettings1::writeRegistry() const
{
    data::IniText registry = data::IniText::load(m_registryFile);
    registry.setValue(section(LanguageSection), QString::fromLatin1(DefaultLanguageKey), m_defaultLanguage);
    QDir().mkpath(QFileInfo(m_registryFile).absolutePath());
    registry.save(m_registryFile);
}

bool TdmUserSettings1::load(const QString &text)
{
    if (m_loaded)
        return true;
    m_loaded = true;
    if (!looksLikeText(text)) {
        m_store = data::IniText();
        return false;
    }
    m_store = data::IniText::parse(text);
    const QString language = section(LanguageSection);
    const QString key = QString::fromLatin1(CurrentLanguageKey);
    if (!m_store.hasKey(language, key) || m_defaultChanged)
        m_store.setValue(language, key, m_defaultLanguage);
    m_defaultChanged = false;
    return true;
}

QString TdmUserSettings1::toText() const
{
    return m_store.toString();
}

QString TdmUserSettings1::SaveSettings()
{
    if (m_defaultInRegistry)
        writeRegistry();
    return toText();
}

bool TdmUserSettings1::loadFromFile(const QString &fileName)
{
    if (m_loaded)
        return true;
    bool exists = false;
    const data::IniText file = data::IniText::load(fileName, &exists);
    m_fileName = fileName;
    return load(exists ? file.toString() : QString());
}

bool TdmUserSettings1::loadFromUser(fb::Transaction &transaction, const QString &userCode)
{
    fb::Statement st(transaction,
                     QStringLiteral("select USERSETTINGS1 from USERSK where UPPER(KASKOOD) = ") + kUserCodeParam);
    st.setString(0, userCode.toUpper());
    st.execute();
    const bool found = st.fetch();
    const QString text = found ? st.getString(0) : QString();
    st.closeCursor();
    return load(text) && found;
}

bool TdmUserSettings1::saveToUser(fb::Transaction &transaction, const QString &userCode)
{
    const QString text = SaveSettings();
    // The code is bound as a value: whatever the log-in name holds cannot change the statement.
    fb::Statement st(transaction,
                     QStringLiteral("update USERSK set USERSETTINGS1 = ? where UPPER(KASKOOD) = ") + kUserCodeParam);
    st.setString(0, text);
    st.setString(1, userCode.toUpper());
    st.execute();
    if (st.affectedRows() == 0)
        return false;
    transaction.commitRetaining();
    return true;
}

QString TdmUserSettings1::ReadSetting(const QString &section, const QString &key, const QString &defaultValue) const
{
    if (!m_loaded)
        return defaultValue;
    return m_store.value(section, key, defaultValue);
}

void TdmUserSettings1::WriteSetting(const QString &section, const QString &key, const QString &value)
{
    if (m_loaded)
        m_store.setValue(section, key, value);
}

int TdmUserSettings1::ReadInteger(const QString &section, const QString &key, int defaultValue) const
{
    bool ok = false;
    const int value = ReadSetting(section, key).trimmed().toInt(&ok);
    return ok ? value : defaultValue;
}

void TdmUserSettings1::WriteInteger(const QString &section, const QString &key, int value)
{
    WriteSetting(section, key, QString::number(value));
}

bool TdmUserSettings1::ReadBool(const QString &section, const QString &key, bool defaultValue) const
{
    bool ok = false;
    const int value = ReadSetting(section, key).trimmed().toInt(&ok);
    return ok ? value != 0 : defaultValue;
}

void TdmUserSettings1::WriteBool(const QString &section, const QString &key, bool value)
{
    WriteSetting(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool TdmUserSettings1::hasSetting(const QString &section, const QString &key) const
{
    return m_loaded && m_store.hasKey(section, key);
}

void TdmUserSettings1::SaveWindowPlacement(const QString &name, WindowState state, const QRect &normalGeometry,
                                           const QByteArray &windowState)
{
    WriteBool(name, kMaximized, state == WindowState::Maximized);
    if (state == WindowState::Normal) {
        WriteInteger(name, kLeft, normalGeometry.left());
        WriteInteger(name, kTop, normalGeometry.top());
        WriteInteger(name, kWidth, normalGeometry.width());
        WriteInteger(name, kHeight, normalGeometry.height());
    }
    if (!windowState.isEmpty())
        WriteSetting(name, kState, QString::fromLatin1(windowState.toBase64()));
}

std::optional<TdmUserSettings1::Placement> TdmUserSettings1::RestoreWindowPlacement(const QString &name,
                                                                                    const QRect &currentGeometry) const
{
    if (!hasSetting(name, kMaximized))
        return std::nullopt;
    Placement p;
    p.geometry =
        QRect(ReadInteger(name, kLeft, currentGeometry.left()), ReadInteger(name, kTop, currentGeometry.top()),
              ReadInteger(name, kWidth, currentGeometry.width()), ReadInteger(name, kHeight, currentGeometry.height()));
    p.maximized = ReadSetting(name, kMaximized).trimmed() == QLatin1String("1");
    p.state = QByteArray::fromBase64(ReadSetting(name, kState).toLatin1());
    return p;
}

void TdmUserSettings1::SaveChildSize(const QString &className, const QSize &size)
{
    WriteInteger(section(WindowsSection), className + QStringLiteral(".Width"), size.width());
    WriteInteger(section(WindowsSection), className + QStringLiteral(".Height"), size.height());
}

QSize TdmUserSettings1::RestoreChildSize(const QString &className, const QSize &currentSize) const
{
    return QSize(ReadInteger(section(WindowsSection), className + QStringLiteral(".Width"), currentSize.width()),
                 ReadInteger(section(WindowsSection), className + QStringLiteral(".Height"), currentSize.height()));
}

void TdmUserSettings1::ForgetChildSizes()
{
    if (m_loaded)
        m_store.removeSection(section(WindowsSection));
}

QString TdmUserSettings1::CurrentLanguage() const
{
    if (!m_loaded)
        return m_defaultLanguage;
    return m_store.value(section(LanguageSection), QString::fromLatin1(CurrentLanguageKey), m_defaultLanguage);
}

void TdmUserSettings1::SetCurrentLanguage(const QString &name)
{
    WriteSetting(section(LanguageSection), QString::fromLatin1(CurrentLanguageKey), name);
}

void TdmUserSettings1::SetDefaultLanguage(const QString &name)
{
    if (!m_defaultFound) {
        data::IniText config = data::IniText::load(configFile());
        config.setValue(section(LanguageSection), QString::fromLatin1(DefaultLanguageKey), name);
        config.save(configFile());
    }
    m_defaultLanguage = name;
    m_defaultInRegistry = true;
    if (m_loaded)
        SetCurrentLanguage(name);
    else
        m_defaultChanged = true;
}
