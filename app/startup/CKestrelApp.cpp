#include "startup/CKestrelApp.h"

#include "startup/CBaseWindow.h"
#include "startup/DialogSize.h"
#include "startup/PluginResourceSource.h"
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

#include <cstdio>
#include <iterator>
#include <new>

namespace {

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

QString Quoted(const QString& text)
{
    return u'"' + text + u'"';
}

}  // namespace

CKestrelApp::CKestrelApp() = default;

CKestrelApp::~CKestrelApp()
{
    // The look-ups must not reach a plug-in source that is gone.
    m_resources.SetPluginSource(nullptr);
}

void CKestrelApp::SetMainWindowFactory(MainWindowFactory factory)
{
    MainWindowFactoryRef() = std::move(factory);
}

void CKestrelApp::Fail(const QString& message, const QString& reason)
{
    m_exitStatus = kExitStartupFailed;
    m_strFailure = reason.isEmpty() ? message : reason;
    kestrel::Trace(QStringLiteral("start-up failed: %1").arg(m_strFailure));
    if (!message.isEmpty())
        CUtilMessageBox::Show(nullptr, message, m_strTitle.isEmpty() ? m_strProgramName : m_strTitle);
    else
        std::fprintf(stderr, "kestrel: %s\n", m_strFailure.toUtf8().constData());
}

int CKestrelApp::InitInstance()
{
    if (!ReadConfiguration()) {
        Fail(QString::fromLatin1(kMsgNoOption), OptionFailureReason());
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
        if (!QDir().mkpath(folder))
            kestrel::Trace(QStringLiteral("cannot create %1; going on without it").arg(folder));
}

bool CKestrelApp::PrepareWithoutWindow(const QString& appFolder)
{
    if (!ReadConfigurationIn(appFolder)) {
        m_strFailure = OptionFailureReason();
        return false;
    }
    m_profile.SetRegistryKey(m_option.strModelName, m_strProgramName);
    CreateUserFolders();
    if (!InitPluginManager())
        return false;
    if (!LoadSkinResources()) {
        m_strFailure = SkinFailureReason();
        return false;
    }
    if (!LoadLanguageResources()) {
        m_strFailure = LanguageFailureReason();
        return false;
    }
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
        Fail(QString::fromLatin1(kMsgNoSkin), SkinFailureReason());
        return false;
    }
    if (!LoadLanguageResources()) {
        Fail(QString::fromLatin1(kMsgNoLanguage), LanguageFailureReason());
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
        Fail(QString::fromLatin1(kMsgNoManager), QStringLiteral("out of memory for the plug-in manager"));
        return false;
    }
    m_nPluginCount = m_pPluginManager->EnumPlugins(m_strAppDir.toStdWString(), m_option.nPluginMode);
    if (m_nPluginCount == 0) {
        const QString reason = PluginMissingReason({});
        m_pPluginManager.reset();
        Fail(QString::fromLatin1(kMsgNoPlugin), reason);
        return false;
    }

    const QString defaultName = m_option.strPluginName;
    int index = -1;
    QString name;
    QStringList tried;
    if (m_option.nPluginMode == 1) {
        name = defaultName;
        index = m_pPluginManager->SeekPlugin(name.toStdWString());
        tried << name;
    } else {
        name = m_profile.GetProfileString(kSecPlugin, QStringLiteral("pluginName"), defaultName);
        index = m_pPluginManager->SeekPlugin(name.toStdWString());
        tried << name;
        if (index < 0) {
            name = defaultName;
            index = m_pPluginManager->SeekPlugin(name.toStdWString());
            if (!tried.contains(name))
                tried << name;
        }
        if (index >= 0)
            m_profile.WriteProfileString(kSecPlugin, QStringLiteral("pluginName"), name);
    }
    if (index < 0) {
        const QString reason = PluginMissingReason(tried);
        m_pPluginManager.reset();
        Fail(QString(), reason);
        return false;
    }

    m_pPluginManager->GetPluginInfo(index, &m_pluginInfo);
    m_strTitle = QStringLiteral("%1 (%2bit)")
                     .arg(FromPluginText(m_pluginInfo.szTitle, std::size(m_pluginInfo.szTitle)))
                     .arg(sizeof(void*) * 8);
    m_strPluginDataDir = m_strUserDataDir + u'/' + FromPluginText(m_pluginInfo.szName, std::size(m_pluginInfo.szName));
    if (!QDir().mkpath(m_strPluginDataDir))
        kestrel::Trace(QStringLiteral("cannot create %1; going on without it").arg(m_strPluginDataDir));
    m_pPluginManager->SetAppDir(m_strPluginDataDir.toStdWString());
    if (m_pPluginManager->LoadPlugin(index) == 0) {
        m_pPluginManager.reset();
        Fail(QString(), QStringLiteral("plug-in %1 was found but could not be made the current one").arg(Quoted(name)));
        return false;
    }
    m_pluginSource = std::make_unique<CPluginResourceSource>(*m_pPluginManager, m_pluginInfo);
    m_resources.SetPluginSource(m_pluginSource.get());
    return true;
}

QString CKestrelApp::PluginMissingReason(const QStringList& triedNames) const
{
    const QString folder = m_strAppDir + QStringLiteral("/plugins");
    QString reason;
    if (triedNames.isEmpty()) {
        reason = QStringLiteral("no plug-in could be loaded from %1").arg(folder);
    } else {
        QStringList quoted;
        for (const QString& n : triedNames)
            quoted << Quoted(n);
        QStringList installed;
        for (int i = 0; i < m_nPluginCount; ++i)
            if (const _PLUGIN_INFO* info = m_pPluginManager->GetPluginInfo(i))
                installed << Quoted(FromPluginText(info->szName, std::size(info->szName)));
        reason = QStringLiteral("plug-in %1 is not among the plug-ins in %2 (%3)")
                     .arg(quoted.join(QStringLiteral(" or ")), folder,
                          installed.isEmpty() ? QStringLiteral("none loads")
                                              : QStringLiteral("found: ") + installed.join(QStringLiteral(", ")));
    }
    // A plug-in file that does not load is the usual cause: say which and
    // why. Each entry is "<path>: <reason>", and the loader's own reason
    // often starts with the path again.
    for (const std::string& skipped : m_pPluginManager->GetSkippedFiles()) {
        QString entry = QString::fromStdString(skipped);
        const int colon = entry.indexOf(QStringLiteral(": "));
        if (colon > 0) {
            const QString path = entry.left(colon);
            if (entry.mid(colon + 2).startsWith(path + QStringLiteral(": ")))
                entry.remove(colon + 2, path.size() + 2);
        }
        reason += QStringLiteral("; not loaded: ") + entry;
    }
    return reason;
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
    return m_resources.LoadSkin(m_option.strSkinRootDir, m_option.strSkinImageFile, m_option.strSkinInfoFile);
}

QString CKestrelApp::OptionFailureReason() const
{
    if (!QFileInfo::exists(m_option.strOptionFile))
        return QStringLiteral("%1 is missing").arg(m_option.strOptionFile);
    return QStringLiteral("%1 names no application section with a Product ID of 0 or more ([Setting] Select)")
        .arg(m_option.strOptionFile);
}

QString CKestrelApp::SkinFailureReason() const
{
    return QStringLiteral("the image list %1 lacks pictures, bitmaps or icons ([HD-png], [HD-bmp], [HD-icon])")
        .arg(m_option.strSkinImageFile);
}

QString CKestrelApp::LanguageFailureReason() const
{
    return QStringLiteral("no lang*.ini file with a LanguageID other than 0 under %1").arg(m_option.strLangFolder);
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
    m_resources.LoadLanguage(path);
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
        window = MainWindowFactoryRef()(*this);
    } else {
        auto stand_in = std::make_unique<CBaseWindow>(m_resources.GetUIImage(QStringLiteral("base_window")),
                                                      QSize(m_nDlgWidth, m_nDlgHeight), m_strTitle);
        if (const QIcon* icon = m_resources.GetUIIcon(QStringLiteral("main-icon")))
            stand_in->setWindowIcon(*icon);
        window = std::move(stand_in);
    }
    if (!window) {
        Fail(QString(), QStringLiteral("the main window could not be made"));
        return;
    }
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
    m_resources.SetPluginSource(nullptr);
    m_pluginSource.reset();
    m_pPluginManager.reset();
    m_resources.Unload();
}
