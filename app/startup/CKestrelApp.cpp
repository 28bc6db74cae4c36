#include "startup/CKestrelApp.h"

#include "startup/CBaseWindow.h"
#include "startup/DialogSize.h"
#include "startup/SystemLanguage.h"
#include "startup/Trace.h"
#include "util/CUtilMessageBox.h"
#include "util/UserFolders.h"

#include "filehub/CPluginManager.h"
#include "kestrel/WideText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>

#include <iterator>
#include <new>

namespace {

CKestrelApp* g_app = nullptr;
CKestrelApp::MainWindowFactory& MainWindowFactoryRef()
{
    static CKestrelApp::MainWindowFactory factory;
    return factory;
}

// The fixed start-up messages (they are shown before any language is loaded).
const char* const kMsgNoOption = "Missing the Option.ini file.";
const char* const kMsgNoManager = "failed to excute the program.";
const char* const kMsgNoPlugin = "no plugin is installed.";
const char* const kMsgNoSkin = "No Skin file is found!";
const char* const kMsgNoLanguage = "No Language File is found!";

const QString kSecPlugin = QStringLiteral("plugin");
const QString kSecLanguage = QStringLiteral("Language");
const QString kSecProperty = QStringLiteral("Property");

QString FromPluginText(const char16_t* text, size_t cap)
{
    return QString::fromStdWString(kestrel::FromU16(text, cap));
}

}  // namespace

CKestrelApp::CKestrelApp()
{
    g_app = this;
}

CKestrelApp::~CKestrelApp()
{
    if (g_app == this)
        g_app = nullptr;
}

void CKestrelApp::SetMainWindowFactory(MainWindowFactory factory)
{
    MainWindowFactoryRef() = std::move(factory);
}

CKestrelApp* CKestrelApp::Instance()
{
    return g_app;
}

void CKestrelApp::Fail(const QString& message)
{
    m_exitStatus = kExitStartupFailed;
    if (!message.isEmpty())
        CUtilMessageBox::Show(nullptr, message, m_strTitle.isEmpty() ? m_strProgramName : m_strTitle);
}

int CKestrelApp::InitInstance()
{
    if (!ReadConfiguration()) {
        Fail(QString::fromLatin1(kMsgNoOption));
        return 0;
    }
    m_profile.SetRegistryKey(m_option.strModelName, m_strProgramName);
    // Qt draws and decodes pictures without a separate library start-up, and
    // the network classes need none either.
    if (!PrepareRuntime()) {
        ShutdownResources();
        return 0;
    }
    RunMainWindow();
    ShutdownResources();
    return 0;
}

bool CKestrelApp::ReadConfiguration()
{
    // The application folder is the folder of the running program file.
    return ReadConfigurationIn(QFileInfo(QCoreApplication::applicationFilePath()).absolutePath());
}

bool CKestrelApp::ReadConfigurationIn(const QString& appFolder)
{
    m_strAppDir = appFolder;
    m_strProgramName = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    m_strOptionDir = m_strAppDir + QStringLiteral("/_option");
    return m_option.Load(m_strAppDir, m_strOptionDir);
}

void CKestrelApp::CreateUserFolders()
{
    const QString model = m_option.strModelName;
    m_strUserDataDir = kestrel::folders::DataHome() + u'/' + model;
    m_strDocumentDir = kestrel::folders::DocumentsFolder() + u'/' + model + QStringLiteral(" document");
    m_strBackupDir = m_strDocumentDir + QStringLiteral("/backup");
    m_strFtpDir = m_strDocumentDir + QStringLiteral("/ftp");
    // Parents are created too: a fresh account may lack ~/.local/share.
    for (const QString& folder : {m_strUserDataDir, m_strDocumentDir, m_strBackupDir, m_strFtpDir})
        QDir().mkpath(folder);
}

bool CKestrelApp::PrepareWithoutWindow(const QString& appFolder)
{
    if (!ReadConfigurationIn(appFolder))
        return false;
    m_profile.SetRegistryKey(m_option.strModelName, m_strProgramName);
    CreateUserFolders();
    if (!InitPluginManager() || !LoadSkinResources() || !LoadLanguageResources())
        return false;
    SelectDialogSize();
    return true;
}

bool CKestrelApp::PrepareRuntime()
{
    CreateUserFolders();
    if (!InitPluginManager())
        return false;
    if (!m_instanceLock.Acquire(FromPluginText(m_pluginInfo.szName, std::size(m_pluginInfo.szName)))) {
        m_exitStatus = kExitOk;  // another copy runs: end quietly
        kestrel::Trace(QStringLiteral("another copy holds %1").arg(m_instanceLock.LockFile()));
        return false;
    }
    if (!LoadSkinResources()) {
        Fail(QString::fromLatin1(kMsgNoSkin));
        return false;
    }
    if (!LoadLanguageResources()) {
        Fail(QString::fromLatin1(kMsgNoLanguage));
        return false;
    }
    SelectDialogSize();
    return true;
}

bool CKestrelApp::InitPluginManager()
{
    try {
        m_pPluginManager = std::make_unique<CPluginManager>();
    } catch (const std::bad_alloc&) {
        Fail(QString::fromLatin1(kMsgNoManager));
        return false;
    }
    m_nPluginCount = m_pPluginManager->EnumPlugins(m_strAppDir.toStdWString(), m_option.nPluginMode);
    if (m_nPluginCount == 0) {
        m_pPluginManager.reset();
        Fail(QString::fromLatin1(kMsgNoPlugin));
        return false;
    }

    const QString defaultName = m_option.strPluginName;
    int index = -1;
    QString name;
    if (m_option.nPluginMode == 1) {
        name = defaultName;
        index = m_pPluginManager->SeekPlugin(name.toStdWString());
    } else {
        name = m_profile.GetProfileString(kSecPlugin, QStringLiteral("pluginName"), defaultName);
        index = m_pPluginManager->SeekPlugin(name.toStdWString());
        if (index < 0) {
            name = defaultName;
            index = m_pPluginManager->SeekPlugin(name.toStdWString());
        }
        if (index >= 0)
            m_profile.WriteProfileString(kSecPlugin, QStringLiteral("pluginName"), name);
    }
    if (index < 0) {
        m_pPluginManager.reset();
        Fail(QString());
        return false;
    }

    m_pPluginManager->GetPluginInfo(index, &m_pluginInfo);
    m_strTitle = QStringLiteral("%1 (%2bit)")
                     .arg(FromPluginText(m_pluginInfo.szTitle, std::size(m_pluginInfo.szTitle)))
                     .arg(sizeof(void*) * 8);
    m_strPluginDataDir = m_strUserDataDir + u'/' + FromPluginText(m_pluginInfo.szName, std::size(m_pluginInfo.szName));
    QDir().mkpath(m_strPluginDataDir);
    m_pPluginManager->SetAppDir(m_strPluginDataDir.toStdWString());
    if (m_pPluginManager->LoadPlugin(index) == 0) {
        m_pPluginManager.reset();
        Fail(QString());
        return false;
    }
    return true;
}

bool CKestrelApp::LoadSkinResources()
{
    if (SuppliesSkin()) {
        const std::wstring skin = m_option.strSkinRootDir.toStdWString();
        m_pPluginManager->LoadPosInfos(skin);
        m_pPluginManager->LoadBitmapFiles();
        m_pPluginManager->LoadIconFiles();
        m_pPluginManager->LoadImageFiles(skin);
    }
    const QString& root = m_option.strSkinRootDir;
    const QString& list = m_option.strSkinImageFile;
    if (!m_uiImage.LoadImageFiles(root, list) || !m_uiImage.LoadBitmapFiles(root, list) ||
        !m_uiImage.LoadIconFiles(root, list))
        return false;
    m_uiCoordi.LoadInfo(m_option.strSkinInfoFile);
    return true;
}

bool CKestrelApp::LoadLanguageResources()
{
    m_languages.Clear();
    const quint16 systemId = kestrel::SystemLanguageId();
    m_languages.FindLanguageFiles(m_option.strLangFolder);
    if (m_languages.Count() == 0)
        return false;
    const int stored = m_profile.GetProfileInt(kSecLanguage, QStringLiteral("ID"), 0);
    const int index = m_languages.Choose(static_cast<quint16>(stored), systemId);
    return LoadLanguage(index);
}

bool CKestrelApp::LoadLanguage(int index)
{
    if (index < 0 || index >= m_languages.Count())
        return false;
    const QString& path = m_languages.paths[index];
    m_uiText.UnloadTextMain();
    m_uiText.LoadTextMain(path);
    m_strFontName = CUIText::GetFontName(path);
    m_nCurLang = index;
    kestrel::Trace(QStringLiteral("language %1 (0x%2)").arg(path).arg(m_languages.ids[index], 4, 16, QChar(u'0')));
    if (SuppliesTexts() && m_pPluginManager)
        m_pPluginManager->SetLangID(m_languages.ids[index]);
    return true;
}

void CKestrelApp::SelectDialogSize()
{
    QSize screen(1280, 720);
    if (const QScreen* s = QGuiApplication::primaryScreen())
        screen = s->geometry().size();
    m_nDlgSizeMax = kestrel::LargestClassFor(screen);
    const int stored = m_profile.GetProfileInt(kSecProperty, QStringLiteral("dlg size"), 4);
    m_nDlgSizeChoice = kestrel::ChooseSizeClass(stored, screen);
    m_profile.WriteProfileInt(kSecProperty, QStringLiteral("dlg size"), m_nDlgSizeChoice);
    const QSize size = kestrel::SizeOfClass(m_nDlgSizeChoice);
    m_nDlgWidth = size.width();
    m_nDlgHeight = size.height();
    kestrel::Trace(QStringLiteral("screen %1x%2, size class %3 of at most %4")
                       .arg(screen.width()).arg(screen.height()).arg(m_nDlgSizeChoice).arg(m_nDlgSizeMax));
}

void CKestrelApp::RunMainWindow()
{
    std::unique_ptr<QDialog> window;
    if (MainWindowFactoryRef()) {
        window = MainWindowFactoryRef()();
    } else {
        auto stand_in = std::make_unique<CBaseWindow>(GetUIImage(QStringLiteral("base_window")),
                                                      QSize(m_nDlgWidth, m_nDlgHeight), m_strTitle);
        if (const QIcon* icon = GetUIIcon(QStringLiteral("main-icon")))
            stand_in->setWindowIcon(*icon);
        window = std::move(stand_in);
    }
    if (!window)
        return;
    m_pMainWnd = window.get();
    if (m_pPluginManager)
        m_pPluginManager->SetParentWnd(window.get());
    window->exec();
    if (m_pPluginManager)
        m_pPluginManager->SetParentWnd(nullptr);
    m_pMainWnd = nullptr;
}

void CKestrelApp::ShutdownResources()
{
    if (m_pPluginManager && SuppliesSkin()) {
        m_pPluginManager->FreePosInfos();
        m_pPluginManager->FreeBitmapFiles();
        m_pPluginManager->FreeImageFiles();
    }
    m_pPluginManager.reset();
    m_uiImage.UnloadImageFiles();
    m_uiImage.UnloadBitmapFiles();
    m_uiImage.UnloadIconFiles();
    m_uiText.UnloadTextMain();
    m_uiCoordi.UnloadInfo();
}

// ---- Resource look-ups ------------------------------------------------------
//
// The plug-in manager's skin calls answer numbers, not objects, so a plug-in
// that says it supplies skin resources is asked first and the viewer's own
// loaders then give the object. Font sizes and texts come through whole.

QString CKestrelApp::GetUIText(const QString& key) const
{
    if (SuppliesTexts() && m_pPluginManager) {
        const QString text = QString::fromStdWString(m_pPluginManager->GetText(key.toStdWString()));
        if (!text.isEmpty() && text != QStringLiteral("NULL"))
            return text;
    }
    return m_uiText.GetTextMain(key);
}

QString CKestrelApp::GetUIMapInfo() const
{
    if (m_nCurLang < 0 || m_nCurLang >= m_languages.Count())
        return QString();
    return CUIText::GetMapInfo(m_languages.paths[m_nCurLang]);
}

const _WIN_POS* CKestrelApp::GetUIPos(const QString& key) const
{
    if (SuppliesSkin() && m_pPluginManager)
        m_pPluginManager->GetPosInfo(key.toStdWString());
    return m_uiCoordi.GetWinPos(key);
}

const QImage* CKestrelApp::GetUIImage(const QString& key) const
{
    if (SuppliesSkin() && m_pPluginManager)
        m_pPluginManager->GetImageFile(key.toStdWString());
    return m_uiImage.GetImageFile(key);
}

const QPixmap* CKestrelApp::GetUIBitmap(const QString& key) const
{
    if (SuppliesSkin() && m_pPluginManager)
        m_pPluginManager->GetBitmapFile(key.toStdWString());
    return m_uiImage.GetBitmapFile(key);
}

const QIcon* CKestrelApp::GetUIIcon(const QString& key) const
{
    if (SuppliesSkin() && m_pPluginManager)
        m_pPluginManager->GetIconFile(key.toStdWString());
    return m_uiImage.GetIconFile(key);
}

int CKestrelApp::GetUIFontSize(const QString& key) const
{
    if (SuppliesSkin() && m_pPluginManager) {
        const int size = m_pPluginManager->GetFont(key.toStdWString());
        if (size >= 0)
            return size;
    }
    return m_uiText.GetFontSizeMain(key);
}
