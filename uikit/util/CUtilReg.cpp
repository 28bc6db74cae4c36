#include "util/CUtilReg.h"

#include "ini/CIniFile.h"
#include "util/UserFolders.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString g_userStore;
QString g_machineStore;

QString KeySection(const QString& key)
{
    QString section = key;
    section.replace(u'\\', u'/');
    return section;
}

}  // namespace

void CUtilReg::SetStoreFiles(const QString& currentUser, const QString& localMachine)
{
    g_userStore = currentUser;
    g_machineStore = localMachine;
}

QString CUtilReg::CurrentUserStore()
{
    if (!g_userStore.isEmpty())
        return g_userStore;
    return kestrel::folders::ConfigHome() + QStringLiteral("/kestrel/registry.ini");
}

QString CUtilReg::LocalMachineStore()
{
    if (!g_machineStore.isEmpty())
        return g_machineStore;
    QString first = qEnvironmentVariable("XDG_CONFIG_DIRS").section(u':', 0, 0);
    if (!QDir::isAbsolutePath(first))
        first = QStringLiteral("/etc/xdg");
    return first + QStringLiteral("/kestrel/registry.ini");
}

int CUtilReg::CreateRegKey(const QString& key)
{
    if (m_open)
        return m_open;
    m_file = CurrentUserStore();
    m_section = KeySection(key);
    m_writable = true;
    // Opening creates the store's folder; the file appears with the first value.
    m_open = QDir().mkpath(QFileInfo(m_file).absolutePath()) ? 1 : 0;
    return m_open;
}

int CUtilReg::CreateRegKey(const QString& key, int where)
{
    if (where != 1)
        return CreateRegKey(key);
    if (m_open)
        return m_open;
    m_file = LocalMachineStore();
    m_section = KeySection(key);
    m_writable = false;
    m_open = QFileInfo(m_file).isReadable() ? 1 : 0;
    return m_open;
}

void CUtilReg::CloseRegKey()
{
    m_open = 0;
    m_file.clear();
    m_section.clear();
    m_writable = false;
}

bool CUtilReg::Query(const QString& name, QString& value) const
{
    const CIniFile ini = CIniFile::Load(m_file.toStdWString());
    if (!ini.HasKey(m_section.toStdWString(), name.toStdWString()))
        return false;
    value = QString::fromStdWString(ini.GetString(m_section.toStdWString(), name.toStdWString()));
    return true;
}

void CUtilReg::Set(const QString& name, const QString& value) const
{
    if (m_writable)
        CIniFile::WriteString(m_file.toStdWString(), m_section.toStdWString(), name.toStdWString(),
                              value.toStdWString());
}

uint32_t CUtilReg::ReadRegDWORD(const QString& key, const QString& name, uint32_t def)
{
    return ReadRegDWORD(key, name, def, 0);
}

uint32_t CUtilReg::ReadRegDWORD(const QString& key, const QString& name, uint32_t def, int where)
{
    if (!CreateRegKey(key, where))
        return def;
    uint32_t result = def;
    QString text;
    bool ok = false;
    if (Query(name, text)) {
        const qulonglong v = text.toULongLong(&ok);
        ok = ok && v <= 0xFFFFFFFFull;
        if (ok)
            result = static_cast<uint32_t>(v);
    }
    if (!ok)
        Set(name, QString::number(def));
    CloseRegKey();
    return result;
}

void CUtilReg::WriteRegDWORD(const QString& key, const QString& name, uint32_t value)
{
    WriteRegDWORD(key, name, value, 0);
}

void CUtilReg::WriteRegDWORD(const QString& key, const QString& name, uint32_t value, int where)
{
    if (CreateRegKey(key, where))
        Set(name, QString::number(value));
    CloseRegKey();
}

QString CUtilReg::ReadRegString(const QString& key, const QString& name, const QString& def)
{
    return ReadRegString(key, name, def, 0);
}

QString CUtilReg::ReadRegString(const QString& key, const QString& name, const QString& def, int where)
{
    if (!CreateRegKey(key, where))
        return def;
    QString value;
    if (!Query(name, value)) {
        value = def;
        Set(name, def);
    }
    CloseRegKey();
    return value;
}

void CUtilReg::WriteRegString(const QString& key, const QString& name, const QString& value)
{
    WriteRegString(key, name, value, 0);
}

void CUtilReg::WriteRegString(const QString& key, const QString& name, const QString& value, int where)
{
    if (CreateRegKey(key, where))
        Set(name, value);
    CloseRegKey();
}
