#include "skin/CUIText.h"

#include "ini/CIniFile.h"
#include "skin/SkinNumbers.h"

using kestrel::skin::WToI;

namespace {

CIniFile LoadIni(const QString& path)
{
    return CIniFile::Load(path.toStdWString());
}

QString ReadValue(const QString& path, const wchar_t* section, const wchar_t* key)
{
    return QString::fromStdWString(LoadIni(path).GetString(section, key));
}

}  // namespace

void CUIText::ParseMainEntry(const QString& line, QString& key, int& size, QString& text)
{
    const qsizetype eq = line.indexOf(u'=');
    key = eq < 0 ? QString() : line.left(eq);
    const QString value = eq < 0 ? line : line.mid(eq + 1);
    const qsizetype comma = value.indexOf(u',');
    if (comma < 0) {
        size = 0;
        text = value;
        return;
    }
    size = WToI(QStringView(value).left(comma));
    text = value.mid(comma + 1);
}

int CUIText::LoadTextMain(const QString& path)
{
    const CIniFile ini = LoadIni(path);
    for (const wchar_t* section : {L"AppMain", L"AppPopup", L"AppViewerSetup"}) {
        for (const std::wstring& line : ini.GetSectionLines(section)) {
            QString key;
            QString text;
            int size = 0;
            ParseMainEntry(QString::fromStdWString(line), key, size, text);
            m_texts.insert(key, text);
            m_fontSizes.insert(key, size);
        }
    }
    return 1;
}

void CUIText::UnloadTextMain()
{
    m_texts.clear();
    m_fontSizes.clear();
}

QString CUIText::GetTextMain(const QString& key) const
{
    return m_texts.value(key);
}

int CUIText::GetFontSizeMain(const QString& key) const
{
    return m_fontSizes.value(key, -1);
}

int CUIText::GetFontAndTextMain(const QString& key, QString& text) const
{
    const auto t = m_texts.constFind(key);
    const auto s = m_fontSizes.constFind(key);
    if (t == m_texts.cend() || s == m_fontSizes.cend())
        return -1;
    text = *t;
    return *s;
}

int CUIText::GetFontAndTextMain2(const QString& key, QString& text, int& size) const
{
    const auto t = m_texts.constFind(key);
    const auto s = m_fontSizes.constFind(key);
    if (t == m_texts.cend() || s == m_fontSizes.cend())
        return 0;
    text = *t;
    size = *s;
    return 1;
}

quint16 CUIText::ParseLangID(const QString& value)
{
    if (value.isEmpty())
        return 0;
    unsigned id = 0;
    int shift = 0;
    for (qsizetype i = value.size() - 1; i >= 0; --i) {
        const char16_t c = value[i].unicode();
        if (c == u'x' || c == u'X')
            break;
        unsigned digit;
        if (c >= u'0' && c <= u'9')
            digit = c - u'0';
        else if (c >= u'a' && c <= u'f')
            digit = c - u'a' + 10;
        else if (c >= u'A' && c <= u'F')
            digit = c - u'A' + 10;
        else
            return 0xFFFF;
        if (shift < 16)  // digits beyond four do not fit the 16-bit id
            id |= digit << shift;
        shift += 4;
    }
    return static_cast<quint16>(id);
}

quint16 CUIText::GetLangID(const QString& path)
{
    return ParseLangID(ReadValue(path, L"Language Info", L"LanguageID"));
}

QString CUIText::GetLangName(const QString& path)
{
    return ReadValue(path, L"Language Info", L"LanguageName");
}

QString CUIText::GetMapInfo(const QString& path)
{
    return ReadValue(path, L"Language Info", L"Map");
}

QString CUIText::GetFontName(const QString& path)
{
    return ReadValue(path, L"Font Info", L"FontName");
}

const CStringInfo* CUIText::LookupSetup(const QString& path, const QString& key)
{
    if (const auto it = m_setup.find(key); it != m_setup.end())
        return it->second.get();
    const QString value = ReadValue(path, L"AppSetup", key.toStdWString().c_str());
    // Empty tokens are skipped, as a tokenizer does: "12,,a" is 12 and "a".
    const QStringList tokens = value.split(u',', Qt::SkipEmptyParts);
    if (tokens.isEmpty())
        return nullptr;
    const int size = WToI(tokens.front());
    if (size < 0)
        return nullptr;
    const QString text = tokens.size() > 1 ? tokens.back() : QString();
    auto& slot = m_setup[key];
    slot = std::make_unique<CStringInfo>(size, text);
    return slot.get();
}

QString CUIText::GetTextSetup(const QString& path, const QString& key)
{
    const CStringInfo* info = LookupSetup(path, key);
    return info ? info->strText : QString();
}

int CUIText::GetFontSizeSetup(const QString& path, const QString& key)
{
    const CStringInfo* info = LookupSetup(path, key);
    return info ? info->nFontSize : -1;
}

void CUIText::UnloadTextSetup()
{
    m_setup.clear();
}
