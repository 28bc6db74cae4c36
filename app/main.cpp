// The viewer program: builds the Qt application and hands the whole run to
// the application object, which runs the main window.
#include "startup/CKestrelApp.h"

#ifdef KESTREL_HAS_MAINWND
#include "mainwnd/CKestrelDlg.h"
#endif

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication qtApp(argc, argv);
    CKestrelApp app;
#ifdef KESTREL_HAS_MAINWND
    CKestrelApp::SetMainWindowFactory([] { return std::make_unique<CKestrelDlg>(); });
#endif
    app.InitInstance();
    return app.ExitStatus();
}
