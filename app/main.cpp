#include "app/TQuitOnSignal.h"
#include "app/TVeldmarkApplication.h"
#include "app/VeldmarkMain.h"

#include "VeldmarkVersion.h"

#include <cstdio>
#include <cstring>
#include <exception>

int main(int argc, char** argv)
{
    // Answered before the application object exists, so it needs no display.
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("veldmark %s\n", kVeldmarkVersion);
            return 0;
        }

    TVeldmarkApplication application(argc, argv);
    try {
        // Closing every window ends the loop the same way the user's close
        // does, so the settings are written on a signal too.
        TQuitOnSignal quitOnSignal([] { QApplication::closeAllWindows(); });
        TMainForm MainForm; // reads the settings
        MainForm.show();
        application.exec();
    } catch (const std::exception& e) {
        TVeldmarkApplication::ShowException(QString::fromLocal8Bit(e.what()));
    }
    return 0;
}
