// CUIText: the captions and font sizes of one language file.
//
// A language file is an INI file:
//   [Language Info] LanguageID (hex, "0x0409" or "409"), LanguageName, Map
//   [Font Info]     FontName
//   [AppMain] [AppPopup] [AppViewerSetup]  key=size,text   (loaded at once)
//   [AppSetup]                             key=size,text   (read on demand)
// Keys are compared case-sensitively once loaded.
#pragma once

#include <QHash>
#include "skin/QStringHash.h"

#include <QString>

#include <memory>
#include <unordered_map>

class CStringInfo {
public:
    CStringInfo(int size, QString text) : nFontSize(size), strText(std::move(text)) {}
    virtual ~CStringInfo() = default;
    int nFontSize = 0;
    QString strText;
};

class CUIText {
public:
    CUIText() = default;
    virtual ~CUIText() = default;
    CUIText(const CUIText&) = delete;
    CUIText& operator=(const CUIText&) = delete;

    // Reads [AppMain], [AppPopup] and [AppViewerSetup] in that order into
    // the main maps; a later entry replaces an earlier one with the same
    // key. A missing file or section leaves the maps as they were. Returns 1.
    int LoadTextMain(const QString& path);
    void UnloadTextMain();

    QString GetTextMain(const QString& key) const;   // "" when missing
    int GetFontSizeMain(const QString& key) const;   // -1 when missing
    // Font size, with the text written to `text`; -1 when the key is missing.
    int GetFontAndTextMain(const QString& key, QString& text) const;
    // 1 with both out-parameters filled, or 0.
    int GetFontAndTextMain2(const QString& key, QString& text, int& size) const;

    static quint16 GetLangID(const QString& path);
    static QString GetLangName(const QString& path);
    static QString GetMapInfo(const QString& path);
    static QString GetFontName(const QString& path);

    // Entries of [AppSetup], cached on first use: the first ","-separated
    // token is the size, the last one the text. "" or -1 (and nothing
    // cached) when the entry is missing or its size is negative.
    QString GetTextSetup(const QString& path, const QString& key);
    int GetFontSizeSetup(const QString& path, const QString& key);
    void UnloadTextSetup();

    // "LanguageID" value to a language id: hex digits read from the end,
    // stopping at "x"/"X"; 0 for an empty value, 0xFFFF for any other
    // character.
    static quint16 ParseLangID(const QString& value);
    // One main entry "key=size,text".
    static void ParseMainEntry(const QString& line, QString& key, int& size, QString& text);

private:
    const CStringInfo* LookupSetup(const QString& path, const QString& key);

    QHash<QString, QString> m_texts;
    QHash<QString, int> m_fontSizes;
    std::unordered_map<QString, std::unique_ptr<CStringInfo>, KQStringHash> m_setup;
};
