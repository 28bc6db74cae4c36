// The per-user profile: a few values kept between runs (plug-in choice,
// first run, language, window size) in
//   $XDG_CONFIG_HOME/<ModelName>/<program name>.ini
// with one INI section per profile section. Reads answer the default
// without writing it; writes replace one value atomically.
#pragma once

#include <QString>

class CProfile {
public:
    // Points the store at the model name and program name.
    void SetRegistryKey(const QString& modelName, const QString& programName);
    QString FilePath() const { return m_file; }

    int GetProfileInt(const QString& section, const QString& entry, int def) const;
    QString GetProfileString(const QString& section, const QString& entry, const QString& def) const;
    bool WriteProfileInt(const QString& section, const QString& entry, int value) const;
    bool WriteProfileString(const QString& section, const QString& entry, const QString& value) const;

private:
    QString m_file;
};
