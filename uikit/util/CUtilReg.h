// CUtilReg: single values under a key path of the per-user value store,
// created with their default on first read.
//
// The store is an INI file, one section per key path ("a\b" and "a/b" name
// the same key; names match without regard to case):
//   current user (where 0): $XDG_CONFIG_HOME/kestrel/registry.ini
//   local machine (where 1): the first folder of $XDG_CONFIG_DIRS (else
//     /etc/xdg) + /kestrel/registry.ini, read-only and possibly absent.
// Nothing raises: a read that cannot reach the store answers the default,
// writes that fail are lost silently.
#pragma once

#include <QString>

#include <cstdint>

class CUtilReg {
public:
    CUtilReg() = default;
    CUtilReg(const CUtilReg&) = default;
    CUtilReg& operator=(const CUtilReg&) = default;

    // The stored number; when it is missing or not a number the default is
    // written (current user only) and answered.
    uint32_t ReadRegDWORD(const QString& key, const QString& name, uint32_t def);
    uint32_t ReadRegDWORD(const QString& key, const QString& name, uint32_t def, int where);
    void WriteRegDWORD(const QString& key, const QString& name, uint32_t value);
    void WriteRegDWORD(const QString& key, const QString& name, uint32_t value, int where);

    // The stored text, whole at any length; when it is missing the default
    // is written (current user only) and answered.
    QString ReadRegString(const QString& key, const QString& name, const QString& def);
    QString ReadRegString(const QString& key, const QString& name, const QString& def, int where);
    void WriteRegString(const QString& key, const QString& name, const QString& value);
    void WriteRegString(const QString& key, const QString& name, const QString& value, int where);

    // Store files; empty strings restore the XDG defaults. For tests and
    // for embedding programs that keep their own store.
    static void SetStoreFiles(const QString& currentUser, const QString& localMachine);
    static QString CurrentUserStore();
    static QString LocalMachineStore();

private:
    int CreateRegKey(const QString& key);
    int CreateRegKey(const QString& key, int where);
    void CloseRegKey();
    bool Query(const QString& name, QString& value) const;
    void Set(const QString& name, const QString& value) const;

    // The "open key": which store and which section, while an operation runs.
    QString m_file;
    QString m_section;
    bool m_writable = false;
    int m_open = 0;
};
