// Test support for the main window: an offscreen 1920 x 1080 screen, a
// private home, and application folders copied from the staged one with
// the option values and language files a test asks for.
#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class CKestrelApp;
class QTemporaryDir;

namespace mainwnd_test {

struct AppFolderOptions {
    QString url;                 // URL of option.ini
    QString setupName;           // SetupName of option.ini
    bool secondLanguage = false; // adds a test language (id 0x0407) beside English
};

// A prepared application object over a private copy of the staged folder.
class PreparedApp {
public:
    explicit PreparedApp(const AppFolderOptions& options = {});
    ~PreparedApp();
    bool Ok() const { return m_ok; }
    CKestrelApp& App() { return *m_app; }
    QString Folder() const;
    // Index of the test language in the catalog, -1 without it.
    int TestLanguageIndex() const;

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<CKestrelApp> m_app;
    bool m_ok = false;
};

// Texts of the test language file, by key.
QString TestLanguageText(const QString& key);

}  // namespace mainwnd_test
