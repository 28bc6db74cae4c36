#include "startup/CProfile.h"

#include "ini/CIniFile.h"
#include "util/UserFolders.h"

#include <QDir>
#include <QFileInfo>

void CProfile::SetRegistryKey(const QString& modelName, const QString& programName)
{
    QString folder = kestrel::folders::ConfigHome();
    if (!modelName.isEmpty())
        folder += u'/' + modelName;
    m_file = folder + u'/' + programName + QStringLiteral(".ini");
}

int CProfile::GetProfileInt(const QString& section, const QString& entry, int def) const
{
    return CIniFile::ReadInt(m_file.toStdWString(), section.toStdWString(), entry.toStdWString(), def);
}

QString CProfile::GetProfileString(const QString& section, const QString& entry, const QString& def) const
{
    const CIniFile ini = CIniFile::Load(m_file.toStdWString());
    if (!ini.HasKey(section.toStdWString(), entry.toStdWString()))
        return def;
    return QString::fromStdWString(ini.GetString(section.toStdWString(), entry.toStdWString()));
}

bool CProfile::WriteProfileInt(const QString& section, const QString& entry, int value) const
{
    return WriteProfileString(section, entry, QString::number(value));
}

bool CProfile::WriteProfileString(const QString& section, const QString& entry, const QString& value) const
{
    if (m_file.isEmpty() || !QDir().mkpath(QFileInfo(m_file).absolutePath()))
        return false;
    return CIniFile::WriteString(m_file.toStdWString(), section.toStdWString(), entry.toStdWString(),
                                 value.toStdWString());
}
