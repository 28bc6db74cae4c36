// CUtilPath: file and folder choice dialogs (Qt's own, non-native dialogs,
// so titles and button captions can be set) and emptying a folder.
#pragma once

#include <QString>

class QFileDialog;
class QWidget;

class CUtilPath {
public:
    // Open-file dialog. `filter` is either Qt's form ("Text (*.txt);;All (*)")
    // or the classic "Text (*.txt)|*.txt|All|*.*||" pairs. With
    // `createPrompt` non-zero a name that does not exist yet may be given.
    // 1 with the path in *outPath (when given), 0 when cancelled.
    static int SelectFile(QWidget* owner, const QString& filter, const QString& initialFolder,
                          QString* outPath, int createPrompt);

    // Folder choice; 1 with the chosen folder in outPath, 0 when cancelled.
    static int SelectFolder(QWidget* owner, QString& outPath);
    static int SelectFolder(QWidget* owner, QString& outPath, const QString& title);
    // Folder choice opened at `startPath`, with the title as window caption
    // and the given OK and Cancel captions; the new-folder button only when
    // `newFolder` is non-zero. OK stays disabled while the selection is not
    // an existing folder (a symbolic link does not count).
    static int SelectFolder(QWidget* owner, const QString& startPath, const QString& title,
                            QString& outPath, const QString& okCaption, const QString& cancelCaption,
                            int newFolder);

    // Deletes every file directly in `folder` (symbolic links themselves,
    // not their targets); sub-folders stay. A missing folder is no error.
    static void RemoveAll(const QString& folder);

    // The dialog behind the captioned SelectFolder, not yet shown; the
    // caller owns it. Exposed so that the OK-button rule can be tested.
    static QFileDialog* CreateFolderDialog(QWidget* owner, const QString& startPath, const QString& title,
                                           const QString& okCaption, const QString& cancelCaption,
                                           int newFolder);
    // The selection rule of that dialog.
    static bool IsSelectableFolder(const QString& path);
    // Classic "desc|pattern|...||" filter to Qt's ";;" form.
    static QString ToQtFilter(const QString& filter);
};
