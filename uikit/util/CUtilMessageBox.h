// Message boxes with fixed texts or texts from the language file.
//
// For tests and unattended runs: when the environment variable
// KESTREL_MESSAGEBOX_LOG names a file, no box is shown; the text is appended
// to that file as one line (line breaks written as the two characters \n)
// and the box answers OK at once.
#pragma once

#include <QString>

class QWidget;

class CUtilMessageBox {
public:
    enum Buttons { Ok, OkCancel };
    enum Result { IdOk = 1, IdCancel = 2 };

    // Shows `text` modally; empty captions keep Qt's own "OK"/"Cancel".
    static int Show(QWidget* parent, const QString& text, const QString& title = QString(),
                    Buttons buttons = Ok, const QString& okCaption = QString(),
                    const QString& cancelCaption = QString());

    // The unattended hook alone, for windows that answer like a message box:
    // when KESTREL_MESSAGEBOX_LOG is set, appends `text` to the log and
    // returns true (nothing is to be shown); otherwise returns false.
    static bool LogInsteadOfShowing(const QString& text);
};
