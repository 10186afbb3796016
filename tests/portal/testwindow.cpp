// A native window for the window search tests: shown with the title and the
// app id given (minimised when asked), until it is ended.
#include <QGuiApplication>
#include <QRasterWindow>

int main(int argc, char** argv)
{
    QGuiApplication application(argc, argv);
    if (argc < 3)
        return 2;
    // On Wayland the desktop file name is the window's app id.
    QGuiApplication::setDesktopFileName(QString::fromUtf8(argv[2]));
    QRasterWindow window;
    window.setTitle(QString::fromUtf8(argv[1]));
    window.resize(240, 120);
    if (argc > 3 && QByteArray(argv[3]) == "minimized")
        window.showMinimized();
    else
        window.show();
    return application.exec();
}
