// CKestrelApp: the life of the viewer program. InitInstance reads
// option.ini, prepares the per-user folders, loads the recording plug-in
// through the plug-in manager, keeps a second copy from running, loads the
// skin and the language, chooses the window size, runs the main window and
// releases everything again.
//
// It owns and fills the resource look-ups (CUIResources) that it hands to
// the windows it builds: the skin, the language and the plug-in's share of
// them. A start-up step that fails leaves its reason: the fixed message box
// where there is one, otherwise a line on stderr, with details as traces.
#pragma once

#include "skin/CUIResources.h"
#include "startup/COption.h"
#include "startup/CProfile.h"
#include "startup/LanguageCatalog.h"
#include "startup/SingleInstance.h"

#include "kestrel/KestrelTypes.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class CPluginManager;
class QDialog;
class QWidget;

class CKestrelApp {
public:
    // Exit statuses of the program.
    enum ExitStatus { kExitOk = 0, kExitStartupFailed = 1 };

    CKestrelApp();
    virtual ~CKestrelApp();
    CKestrelApp(const CKestrelApp&) = delete;
    CKestrelApp& operator=(const CKestrelApp&) = delete;

    // Builds the main window that InitInstance runs, for the application
    // given. The program sets it before InitInstance; without one a plain
    // skinned stand-in runs.
    using MainWindowFactory = std::function<std::unique_ptr<QDialog>(CKestrelApp&)>;
    static void SetMainWindowFactory(MainWindowFactory factory);

    // Runs start-up, the main window and the clean-up. Always 0, as the
    // program has no message loop of its own afterwards; ExitStatus() tells
    // how it went.
    int InitInstance();
    int ExitStatus() const { return m_exitStatus; }

    // Everything InitInstance prepares before the main window (option file,
    // user folders, plug-in, skin, language, size class), for the
    // application folder given, without the single-instance lock and without
    // running a window. Lets tests and tools build single windows and
    // panels against the real resources. false when a step fails.
    bool PrepareWithoutWindow(const QString& appFolder);

    // Why start-up failed (empty while it has not).
    const QString& FailureReason() const { return m_strFailure; }

    // The skin and text look-ups, for the windows this application builds.
    const CUIResources& Resources() const { return m_resources; }

    // ---- State for the windows ------------------------------------------
    const QString& AppFolder() const { return m_strAppDir; }
    const QString& ProgramName() const { return m_strProgramName; }
    const QString& OptionFolder() const { return m_strOptionDir; }
    const QString& UserDataFolder() const { return m_strUserDataDir; }
    const QString& DocumentFolder() const { return m_strDocumentDir; }
    const QString& BackupFolder() const { return m_strBackupDir; }
    const QString& FtpFolder() const { return m_strFtpDir; }
    const QString& PluginDataFolder() const { return m_strPluginDataDir; }
    const COption& Option() const { return m_option; }
    const CProfile& Profile() const { return m_profile; }
    const LanguageCatalog& Languages() const { return m_languages; }
    int CurrentLanguage() const { return m_nCurLang; }
    const _PLUGIN_INFO& PluginInfo() const { return m_pluginInfo; }
    CPluginManager* PluginManager() const { return m_pPluginManager.get(); }
    int PluginCount() const { return m_nPluginCount; }
    const QString& WindowTitle() const { return m_strTitle; }
    int DialogSizeChoice() const { return m_nDlgSizeChoice; }
    int LargestDialogSize() const { return m_nDlgSizeMax; }
    int DialogWidth() const { return m_nDlgWidth; }
    int DialogHeight() const { return m_nDlgHeight; }
    bool AcceleratorsEnabled() const { return m_bAccelEnabled; }
    void SetAcceleratorsEnabled(bool on) { m_bAccelEnabled = on; }
    QWidget* MainWindow() const { return m_pMainWnd; }

    // What the command line asks of the main window once it is up: a
    // folder of recordings to load (empty: none) and a row of it to play
    // (-1: none).
    void SetStartRequest(const QString& folder, int playIndex)
    {
        m_strStartFolder = folder;
        m_nStartPlay = playIndex;
    }
    const QString& StartFolder() const { return m_strStartFolder; }
    int StartPlayIndex() const { return m_nStartPlay; }

    // Loads language `index` of the catalog (start-up and language change).
    bool LoadLanguage(int index);

private:
    bool ReadConfiguration();
    bool ReadConfigurationIn(const QString& appFolder);
    bool PrepareRuntime();
    void CreateUserFolders();
    bool InitPluginManager();
    bool LoadSkinResources();
    bool LoadLanguageResources();
    void SelectDialogSize();
    void ShutdownResources();
    void RunMainWindow();
    // Ends start-up with status 1. `message`: the fixed message box text, or
    // empty where start-up ends without one; `reason` then goes to stderr.
    // Both are traced, with `reason` as the detail of a message box.
    void Fail(const QString& message, const QString& reason);
    // The reason a chosen plug-in is not there, with the files that were
    // skipped and why.
    QString PluginMissingReason(const QStringList& triedNames) const;
    QString OptionFailureReason() const;
    QString SkinFailureReason() const;
    QString LanguageFailureReason() const;

    bool SuppliesSkin() const { return m_pluginInfo.bSkinResources != 0; }
    bool SuppliesTexts() const { return m_pluginInfo.bTexts != 0; }

    QString m_strAppDir;
    QString m_strProgramName;
    QString m_strOptionDir;
    QString m_strUserDataDir;
    QString m_strDocumentDir;
    QString m_strBackupDir;
    QString m_strFtpDir;
    QString m_strPluginDataDir;
    LanguageCatalog m_languages;
    COption m_option;
    CProfile m_profile;
    int m_nCurLang = -1;
    CUIResources m_resources;
    std::unique_ptr<CUIResources::IPluginSource> m_pluginSource;
    int m_nDlgSizeChoice = 0;
    int m_nDlgSizeMax = 0;
    int m_nDlgWidth = 1280;
    int m_nDlgHeight = 720;
    bool m_bAccelEnabled = true;
    std::unique_ptr<CPluginManager> m_pPluginManager;
    int m_nPluginCount = 0;
    _PLUGIN_INFO m_pluginInfo{};
    QString m_strTitle;
    CSingleInstance m_instanceLock;
    QWidget* m_pMainWnd = nullptr;
    int m_exitStatus = kExitOk;
    QString m_strFailure;
    QString m_strStartFolder;
    int m_nStartPlay = -1;
};
