#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("ANSI C63.4/5 Theoretical Veldmark"));
    window.resize(783, 540);
    window.show();
    return app.exec();
}
