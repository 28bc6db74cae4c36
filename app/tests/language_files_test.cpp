// Checks of the shipped language files and user manuals, read with the
// viewer's own loaders from the staged application folder: every text key
// in every language, the sizes the viewer reads, the "%" and file-name
// rules, the language ids, fonts that exist and cover the texts, and a
// real PDF manual beside each language file.
#include "startup/LanguageCatalog.h"
#include "ini/CIniFile.h"
#include "skin/CUIText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QProcess>
#include <QRawFont>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

struct TextKey {
    const char* key;
    bool sizeRead;   // the viewer reads (and scales) the font size
    bool blankText;  // the text is left empty on purpose
};

// Every text key the viewer asks the language file for.
const TextKey kTextKeys[] = {
    {"btn_backup", false, false},
    {"btn_delete", false, false},
    {"btn_division", false, false},
    {"btn_exit", false, false},
    {"btn_file_next", false, false},
    {"btn_file_prev", false, false},
    {"btn_frestore", false, false},
    {"btn_ftp", false, false},
    {"btn_full", false, false},
    {"btn_gps_map", true, false},
    {"btn_gps_map2", false, false},
    {"btn_gps_speed_unit", false, false},
    {"btn_gps_speed_unit_km", true, false},
    {"btn_gps_speed_unit_mile", true, false},
    {"btn_gsen_zoom_in", false, false},
    {"btn_gsen_zoom_out", false, false},
    {"btn_info", false, false},
    {"btn_lang", false, false},
    {"btn_list_all", true, false},
    {"btn_list_rectype_0", true, false},
    {"btn_list_rectype_1", true, false},
    {"btn_list_rectype_2", true, false},
    {"btn_list_rectype_3", true, false},
    {"btn_list_rectype_4", true, false},
    {"btn_list_rectype_5", true, false},
    {"btn_list_rectype_6", true, false},
    {"btn_list_rectype_7", true, false},
    {"btn_manual", false, false},
    {"btn_max", false, false},
    {"btn_min", false, false},
    {"btn_mrestore", false, false},
    {"btn_open", false, false},
    {"btn_pause", false, false},
    {"btn_pbspeed", false, false},
    {"btn_play_forward", false, false},
    {"btn_report", false, false},
    {"btn_setup", false, false},
    {"btn_site", false, false},
    {"btn_snapshot", false, false},
    {"btn_step_backward", false, false},
    {"btn_step_forward", false, false},
    {"btn_stop", false, false},
    {"btn_switch", false, false},
    {"btn_timelapse", false, false},
    {"btn_videoctrl", false, false},
    {"btn_viewer_setup", false, false},
    {"btn_volume", false, false},
    {"common_cancel", false, false},
    {"common_default", false, false},
    {"common_front", false, false},
    {"common_ok", false, false},
    {"common_rear", false, false},
    {"display_text_front", true, false},
    {"display_text_left", true, false},
    {"display_text_rear", true, false},
    {"display_text_right", true, false},
    {"latitude", false, false},
    {"list_col_1", true, false},
    {"list_col_2", false, false},
    {"list_col_3", false, false},
    {"list_col_4", false, false},
    {"list_col_5", false, false},
    {"longitude", false, false},
    {"main_open_folder_title", false, false},
    {"map_dlg_show_preview", false, false},
    {"map_dlg_text", true, false},
    {"message001_0", false, false},
    {"message001_1", false, false},
    {"message010", false, false},
    {"message011", false, false},
    {"popup_dlg_backup", true, false},
    {"popup_dlg_backup_btn_dir", false, false},
    {"popup_dlg_backup_ex", true, false},
    {"popup_dlg_backup_ex_msg0", false, false},
    {"popup_dlg_backup_ex_msg1", false, false},
    {"popup_dlg_backup_ex_msg2", false, false},
    {"popup_dlg_backup_ex_opt_file", false, false},
    {"popup_dlg_backup_ex_opt_file_0", false, false},
    {"popup_dlg_backup_ex_opt_file_1", false, false},
    {"popup_dlg_backup_ex_opt_file_2", false, false},
    {"popup_dlg_backup_ex_opt_gps", false, false},
    {"popup_dlg_backup_ex_opt_gps_0", false, false},
    {"popup_dlg_backup_ex_opt_gps_1", false, false},
    {"popup_dlg_backup_msg1", false, false},
    {"popup_dlg_backup_msg2", false, false},
    {"popup_dlg_backup_stc_dir", false, false},
    {"popup_dlg_delete", true, false},
    {"popup_dlg_delete_msg", false, false},
    {"popup_dlg_failed", true, false},
    {"popup_dlg_failed_msg", true, false},
    {"popup_dlg_info", true, false},
    {"popup_dlg_info_connect", false, false},
    {"popup_dlg_info_info1", false, false},
    {"popup_dlg_info_sec0", false, false},
    {"popup_dlg_info_sec1", false, false},
    {"popup_dlg_info_sec2", false, false},
    {"popup_dlg_info_sec3", false, false},
    {"popup_dlg_info_sec4", false, false},
    {"popup_dlg_info_sec5", false, false},
    {"popup_dlg_info_sec6", false, false},
    {"popup_dlg_lang", true, false},
    {"popup_dlg_lang_section", false, false},
    {"popup_dlg_loadfile", true, false},
    {"popup_dlg_map", true, false},
    {"popup_dlg_next", false, false},
    {"popup_dlg_open", true, false},
    {"popup_dlg_open_btn_other", false, false},
    {"popup_dlg_open_err0", false, false},
    {"popup_dlg_open_message", false, false},
    {"popup_dlg_open_section", false, false},
    {"popup_dlg_snapshot", true, false},
    {"popup_dlg_snapshot_btn_dir", false, false},
    {"popup_dlg_snapshot_msg", false, false},
    {"popup_dlg_snapshot_msg2", false, false},
    {"popup_dlg_snapshot_msg3", false, false},
    {"popup_dlg_snapshot_path", false, false},
    {"popup_dlg_snapshot_stc_dir", false, false},
    {"popup_dlg_snapshot_stc_name", false, false},
    {"popup_dlg_snapshot_stc_name2", false, true},
    {"popup_dlg_stop", false, false},
    {"popup_dlg_video_channel_ext0", false, false},
    {"popup_dlg_video_channel_ext1", false, false},
    {"popup_dlg_videoctrl", true, false},
    {"popup_dlg_videoctrl_brightness", false, false},
    {"popup_dlg_videoctrl_channel", false, false},
    {"popup_dlg_videoctrl_channel_all", false, false},
    {"popup_dlg_videoctrl_channel_front", false, false},
    {"popup_dlg_videoctrl_channel_rear", false, false},
    {"popup_dlg_videoctrl_contrast", false, false},
    {"popup_dlg_videoctrl_flip_h", false, false},
    {"popup_dlg_videoctrl_flip_v", false, false},
    {"popup_dlgsize", true, false},
    {"popup_dlgsize_size", true, false},
    {"popup_dlgsize_skin", true, false},
    {"rec_type_0", false, false},
    {"rec_type_1", false, false},
    {"rec_type_2", false, false},
    {"rec_type_3", false, false},
    {"rec_type_4", false, false},
    {"rec_type_5", false, false},
    {"rec_type_6", false, false},
    {"rec_type_7", false, false},
    {"stc_gps_latlng", true, false},
    {"stc_gps_latlng_tag", true, false},
    {"stc_gps_speed", true, true},
    {"stc_gps_speed_tag", true, false},
    {"stc_gps_status_tag", true, false},
    {"stc_gsen_range_bottom", true, true},
    {"stc_gsen_range_center", true, false},
    {"stc_gsen_range_top", true, true},
    {"stc_gsen_x", true, false},
    {"stc_gsen_y", true, false},
    {"stc_gsen_z", true, false},
    {"stc_list_title", true, false},
    {"stc_pbspeed", true, true},
    {"stc_playbar", true, false},
    {"vs_audio_item_0", false, false},
    {"vs_audio_item_0_0", false, false},
    {"vs_audio_item_0_1", false, false},
    {"vs_audio_item_0_2", false, false},
    {"vs_audio_item_0_3", false, false},
    {"vs_audio_item_0_4", false, false},
    {"vs_audio_item_0_5", false, false},
    {"vs_audio_item_0_6", false, false},
    {"vs_audio_item_0_7", false, false},
    {"vs_audio_item_0_8", false, false},
    {"vs_audio_item_0_9", false, false},
    {"vs_audio_item_0_10", false, false},
    {"vs_audio_item_0_11", false, false},
    {"vs_audio_sec_0", false, false},
    {"vs_basic_item_0", false, false},
    {"vs_basic_item_1", false, false},
    {"vs_basic_sec_0", false, false},
    {"vs_basic_sec_1", false, false},
    {"vs_display_item_0", false, false},
    {"vs_display_item_0_0", false, false},
    {"vs_display_item_0_1", false, false},
    {"vs_display_item_1", false, false},
    {"vs_display_item_1_0", false, false},
    {"vs_display_item_1_1", false, false},
    {"vs_display_sec_0", false, false},
    {"vs_group_0", false, false},
    {"vs_group_1", false, false},
    {"vs_group_2", false, false},
    {"vs_group_3", false, false},
    {"vs_group_4", false, false},
    {"vs_group_5", false, false},
    {"vs_group_6", false, false},
    {"vs_play_item_0", false, false},
    {"vs_play_item_0_0", false, false},
    {"vs_play_item_1", false, false},
    {"vs_play_sec_0", false, false},
    {"vs_plugin_col0", false, true},
    {"vs_plugin_col1", false, false},
    {"vs_plugin_col2", false, false},
    {"vs_title", true, false},
};

struct LanguageCase {
    const char* folder;
    const char* file;
    quint16 id;
    const char* fontPackage;  // Debian package that provides the face
    const char* pdfFontTag;   // start of the embedded font entry in the manual
};

const LanguageCase kLanguages[] = {
    {"en", "lang_en.ini", 0x0409, "fonts-dejavu-core", "/BaseFont /DejaVuSans"},
    {"ko", "lang_ko.ini", 0x0412, "fonts-noto-cjk", "/BaseFont /NotoSansCJKkr"},
    {"de", "lang_de.ini", 0x0407, "fonts-dejavu-core", "/BaseFont /DejaVuSans"},
};

// Readable test names and messages instead of the record's bytes.
void PrintTo(const LanguageCase& lang, std::ostream* os)
{
    *os << lang.folder;
}

QString LanguageRoot()
{
    return QStringLiteral(KESTREL_APP_DIR "/language");
}

QString LanguagePath(const LanguageCase& lang)
{
    return LanguageRoot() + u'/' + QLatin1String(lang.folder) + u'/' + QLatin1String(lang.file);
}

std::string Name(const ::testing::TestParamInfo<LanguageCase>& info)
{
    return info.param.folder;
}

// The keys of the text sections as the file lists them, duplicates kept.
QStringList KeysInFile(const QString& path)
{
    QStringList keys;
    const CIniFile ini = CIniFile::Load(path.toStdWString());
    for (const wchar_t* section : {L"AppMain", L"AppPopup", L"AppViewerSetup"}) {
        for (const std::wstring& line : ini.GetSectionLines(section)) {
            QString key;
            QString text;
            int size = 0;
            CUIText::ParseMainEntry(QString::fromStdWString(line), key, size, text);
            keys.append(key);
        }
    }
    return keys;
}

class LanguageFileTest : public ::testing::TestWithParam<LanguageCase> {
protected:
    void SetUp() override
    {
        m_path = LanguagePath(GetParam());
        ASSERT_TRUE(QFileInfo::exists(m_path)) << qPrintable(m_path) << " is not staged";
        m_text.LoadTextMain(m_path);
    }

    QString m_path;
    CUIText m_text;
};

TEST_P(LanguageFileTest, EveryTextKeyHasSizeAndText)
{
    for (const TextKey& k : kTextKeys) {
        SCOPED_TRACE(k.key);
        QString text;
        int size = -1;
        ASSERT_EQ(m_text.GetFontAndTextMain2(QString::fromLatin1(k.key), text, size), 1) << "missing key";
        if (k.sizeRead)
            EXPECT_GT(size, 0) << "the viewer reads this size";
        else
            EXPECT_GE(size, 0);
        if (k.blankText)
            EXPECT_TRUE(text.isEmpty()) << "blank on purpose, got \"" << qPrintable(text) << '"';
        else
            EXPECT_FALSE(text.trimmed().isEmpty()) << "text left empty";
        EXPECT_FALSE(text.contains(u'\n') || text.contains(u'\r') || text.contains(u'\t'));
    }
}

TEST_P(LanguageFileTest, HoldsExactlyTheTextKeysOnce)
{
    QSet<QString> expected;
    for (const TextKey& k : kTextKeys)
        expected.insert(QString::fromLatin1(k.key));
    ASSERT_EQ(expected.size(), 196);

    const QStringList keys = KeysInFile(m_path);
    QSet<QString> seen;
    for (const QString& key : keys) {
        EXPECT_FALSE(seen.contains(key)) << "duplicate key " << qPrintable(key);
        EXPECT_TRUE(expected.contains(key)) << "unknown key " << qPrintable(key);
        seen.insert(key);
    }
    for (const QString& key : expected)
        EXPECT_TRUE(seen.contains(key)) << "missing key " << qPrintable(key);
}

TEST_P(LanguageFileTest, LanguageInfoAndFontSections)
{
    const LanguageCase& lang = GetParam();
    EXPECT_EQ(CUIText::GetLangID(m_path), lang.id);
    EXPECT_FALSE(CUIText::GetLangName(m_path).trimmed().isEmpty());
    EXPECT_EQ(CUIText::GetMapInfo(m_path), QStringLiteral("tile.openstreetmap.org"));
    EXPECT_FALSE(CUIText::GetFontName(m_path).trimmed().isEmpty());
}

// Only message011 may hold a conversion, and the viewer passes it exactly
// one int; any other "%" would be printed or, worse, consume arguments.
TEST_P(LanguageFileTest, PercentOnlyInTheBrowserVersionMessage)
{
    static const QRegularExpression conversion(QStringLiteral("%[-+ #0]*[0-9]*(\\.[0-9]+)?[a-zA-Z%]"));
    for (const TextKey& k : kTextKeys) {
        const QString key = QString::fromLatin1(k.key);
        const QString text = m_text.GetTextMain(key);
        SCOPED_TRACE(k.key);
        if (key == QStringLiteral("message011")) {
            EXPECT_EQ(text.count(u'%'), 1);
            const QRegularExpressionMatch match = conversion.match(text);
            ASSERT_TRUE(match.hasMatch());
            EXPECT_EQ(match.captured(), QStringLiteral("%d"));
            EXPECT_FALSE(QString::asprintf(text.toUtf8().constData(), 11).contains(u'%'));
        } else {
            EXPECT_FALSE(text.contains(u'%')) << qPrintable(text);
        }
    }
}

// These words become parts of snapshot file names.
TEST_P(LanguageFileTest, ChannelWordsAreFileNameSafe)
{
    const QString forbidden = QStringLiteral("\\/:*?\"<>|");
    for (const char* key : {"common_front", "common_rear", "display_text_front", "display_text_rear",
                            "display_text_left", "display_text_right"}) {
        const QString word = m_text.GetTextMain(QString::fromLatin1(key));
        SCOPED_TRACE(key);
        EXPECT_FALSE(word.isEmpty());
        EXPECT_EQ(word, word.trimmed()) << "blank at either end";
        EXPECT_FALSE(word.startsWith(u'.'));
        for (const QChar c : word) {
            EXPECT_FALSE(forbidden.contains(c)) << "forbidden character in " << qPrintable(word);
            EXPECT_GE(c.unicode(), 0x20) << "control character in " << qPrintable(word);
        }
    }
}

// The face must exist after set-up and draw every character the file shows,
// or Korean captions turn into empty boxes.
TEST_P(LanguageFileTest, FontIsInstalledAndCoversTheTexts)
{
    const LanguageCase& lang = GetParam();
    const QString family = CUIText::GetFontName(m_path);
    ASSERT_TRUE(QFontDatabase::hasFamily(family))
        << "font \"" << qPrintable(family) << "\" is not installed; install the package "
        << lang.fontPackage << " (scripts/install-deps.sh)";

    const QRawFont raw = QRawFont::fromFont(QFont(family));
    ASSERT_TRUE(raw.isValid());
    ASSERT_EQ(raw.familyName(), family) << "the face resolved to another family";
    QString missing;  // one report for the whole file, not one per letter
    for (const TextKey& k : kTextKeys) {
        for (const QChar c : m_text.GetTextMain(QString::fromLatin1(k.key))) {
            if (!raw.supportsCharacter(c) && !missing.contains(c))
                missing.append(c);
        }
    }
    EXPECT_TRUE(missing.isEmpty()) << '"' << qPrintable(family) << "\" lacks " << missing.size()
                                   << " characters of the texts, e.g. " << qPrintable(missing.left(10));
}

INSTANTIATE_TEST_SUITE_P(Shipped, LanguageFileTest, ::testing::ValuesIn(kLanguages), Name);

// The viewer finds every shipped file and can choose each by its id.
TEST(LanguageCatalogOnShippedFiles, FindsAndChoosesEveryLanguage)
{
    LanguageCatalog catalog;
    catalog.FindLanguageFiles(LanguageRoot());
    ASSERT_EQ(catalog.Count(), static_cast<int>(std::size(kLanguages)));
    for (const LanguageCase& lang : kLanguages) {
        const int index = catalog.Choose(lang.id, 0x0409);
        ASSERT_GE(index, 0);
        EXPECT_EQ(catalog.ids[index], lang.id);
        EXPECT_EQ(QFileInfo(catalog.paths[index]).fileName(), QLatin1String(lang.file));
    }
    // An unknown system language falls back to English.
    EXPECT_EQ(catalog.ids[catalog.Choose(0, 0x0411)], 0x0409);
}

// The first PDF of each language folder is what F1 opens.
class ManualTest : public ::testing::TestWithParam<LanguageCase> {
protected:
    void SetUp() override
    {
        const QDir folder(LanguageRoot() + u'/' + QLatin1String(GetParam().folder));
        const QStringList pdfs = folder.entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name);
        ASSERT_FALSE(pdfs.isEmpty()) << "no manual in " << qPrintable(folder.path());
        m_path = folder.filePath(pdfs.front());
        QFile file(m_path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        m_bytes = file.readAll();
    }

    QString m_path;
    QByteArray m_bytes;
};

TEST_P(ManualTest, IsAWholePdfOfAFewPages)
{
    EXPECT_TRUE(m_bytes.startsWith("%PDF-"));
    EXPECT_GT(m_bytes.size(), 2 * 1024);
    EXPECT_TRUE(m_bytes.trimmed().endsWith("%%EOF")) << "truncated PDF";

    static const QRegularExpression pages(QStringLiteral("/Type\\s*/Pages\\b[^>]*?/Count\\s+(\\d+)"));
    const QRegularExpressionMatch match = pages.match(QString::fromLatin1(m_bytes));
    ASSERT_TRUE(match.hasMatch()) << "no page tree";
    const int count = match.captured(1).toInt();
    EXPECT_GE(count, 2);
    EXPECT_LE(count, 6);
}

// The manual embeds the face of its language, not a fallback without the
// script's letters.
TEST_P(ManualTest, EmbedsTheLanguageFont)
{
    EXPECT_TRUE(m_bytes.contains(QByteArray("/FontFile")));
    EXPECT_TRUE(m_bytes.contains(QByteArray(GetParam().pdfFontTag)))
        << qPrintable(m_path) << " does not embed " << GetParam().pdfFontTag;
}

// Drawn to a picture when a PDF renderer is at hand; it is not a build
// requirement, so its absence skips the check.
TEST_P(ManualTest, FirstPageRendersWhenARendererIsInstalled)
{
    const QString renderer = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (renderer.isEmpty())
        GTEST_SKIP() << "pdftoppm is not installed; the page is not drawn";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString prefix = dir.filePath(QStringLiteral("page"));
    QProcess process;
    process.start(renderer, {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("40"),
                             QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                             QStringLiteral("1"), m_path, prefix});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    const QStringList pngs = QDir(dir.path()).entryList({QStringLiteral("*.png")}, QDir::Files);
    ASSERT_EQ(pngs.size(), 1);
    EXPECT_GT(QFileInfo(dir.filePath(pngs.front())).size(), 1024);
}

INSTANTIATE_TEST_SUITE_P(Shipped, ManualTest, ::testing::ValuesIn(kLanguages), Name);

}  // namespace
