#include "app/VeldmarkMain.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    TMainForm MainForm;
    MainForm.show();
    app.exec();
    return 0;
}
