#include "MainWndTestEnv.h"

#include "OffscreenViewerEnv.h"
#include "startup/CKestrelApp.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace mainwnd_test {
namespace {

// Keys the window reads, with the texts of the test language.
const char* const kTestTexts[][2] = {
    {"btn_exit", "Schliessen"},          {"btn_max", "Maximieren"},
    {"btn_info", "Info"},                {"btn_gps_map", "Karte"},
    {"btn_gps_map2", "Karte zeigen"},    {"btn_gps_speed_unit", "Einheit"},
    {"btn_gps_speed_unit_km", "km/h"},   {"btn_gps_speed_unit_mile", "mph"},
    {"stc_gps_status_tag", "GPS"},       {"stc_playbar", "00:00:00/00:00:00"},
    {"stc_gsen_x", "X-Achse"},           {"latitude", "Breite"},
    {"longitude", "Laenge"},             {"btn_icon", "Symbol"},
    {"display_text_front", "Vorne"},     {"btn_list_all", "Alle"},
    {"list_col_1", "Art"},
};

void CopyTree(const QString& from, const QString& to)
{
    QDir().mkpath(to);
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        const QString target = to + u'/' + info.fileName();
        if (info.isDir()) {
            if (info.fileName() == QStringLiteral("plugins"))
                QFile::link(info.absoluteFilePath(), target);  // the real plug-in, not a copy
            else
                CopyTree(info.absoluteFilePath(), target);
        } else {
            QFile::copy(info.absoluteFilePath(), target);
        }
    }
}

void SetOption(const QString& file, const QString& key, const QString& value)
{
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QStringList lines = QString::fromUtf8(f.readAll()).split(u'\n');
    f.close();
    for (QString& line : lines)
        if (line.startsWith(key + u'='))
            line = key + u'=' + value;
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(lines.join(u'\n').toUtf8());
}

// Keeps only the English language file, so the catalog is predictable
// whatever other languages the staged folder holds.
void KeepOnlyEnglish(const QString& languageFolder)
{
    QDirIterator it(languageFolder, {QStringLiteral("lang*.ini")}, QDir::Files, QDirIterator::Subdirectories);
    QStringList remove;
    while (it.hasNext()) {
        const QString path = it.next();
        if (QFileInfo(path).fileName() != QStringLiteral("lang_en.ini"))
            remove << path;
    }
    for (const QString& path : remove)
        QFile::remove(path);
}

void WriteTestLanguage(const QString& languageFolder)
{
    QDir().mkpath(languageFolder + QStringLiteral("/zz"));
    QFile f(languageFolder + QStringLiteral("/zz/lang_test.ini"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    QString text = QStringLiteral("[Language Info]\nLanguageID=0x0407\nLanguageName=Test\n\n"
                                  "[Font Info]\nFontName=DejaVu Serif\n\n[AppMain]\n");
    for (const auto& entry : kTestTexts)
        text += QStringLiteral("%1=12,%2\n").arg(QLatin1String(entry[0]), QString::fromUtf8(entry[1]));
    f.write(text.toUtf8());
}

// One QApplication on an offscreen 1920 x 1080 screen, and a private home
// for the profile, settings and user folders.
class MainWndEnvironment : public ::testing::Environment {
public:
    void SetUp() override { m_env = std::make_unique<kestrel::testenv::OffscreenViewerEnv>("kestrel_mainwnd_tests"); }
    void TearDown() override { m_env.reset(); }

private:
    std::unique_ptr<kestrel::testenv::OffscreenViewerEnv> m_env;
};

[[maybe_unused]] ::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new MainWndEnvironment);

}  // namespace

QString TestLanguageText(const QString& key)
{
    for (const auto& entry : kTestTexts)
        if (key == QLatin1String(entry[0]))
            return QString::fromUtf8(entry[1]);
    return QString();
}

PreparedApp::PreparedApp(const AppFolderOptions& options) : m_dir(std::make_unique<QTemporaryDir>())
{
    const QString folder = m_dir->path() + QStringLiteral("/app");
    CopyTree(QStringLiteral(KESTREL_APP_DIR), folder);
    const QString option = folder + QStringLiteral("/_option/option.ini");
    SetOption(option, QStringLiteral("URL"), options.url);
    SetOption(option, QStringLiteral("SetupName"), options.setupName);
    KeepOnlyEnglish(folder + QStringLiteral("/language"));
    if (options.secondLanguage)
        WriteTestLanguage(folder + QStringLiteral("/language"));
    m_app = std::make_unique<CKestrelApp>();
    m_ok = m_app->PrepareWithoutWindow(folder);
}

PreparedApp::~PreparedApp() = default;

QString PreparedApp::Folder() const
{
    return m_dir->path() + QStringLiteral("/app");
}

int PreparedApp::TestLanguageIndex() const
{
    const LanguageCatalog& languages = m_app->Languages();
    for (int i = 0; i < languages.Count(); ++i)
        if (languages.ids[i] == 0x0407)
            return i;
    return -1;
}

}  // namespace mainwnd_test
