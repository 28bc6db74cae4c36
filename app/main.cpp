// The viewer program: builds the Qt application and hands the whole run to
// the application object.
#include "startup/CKestrelApp.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication qtApp(argc, argv);
    CKestrelApp app;
    app.InitInstance();
    return app.ExitStatus();
}
