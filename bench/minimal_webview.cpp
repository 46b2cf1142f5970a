// The floor for opening a page: a bare Qt WebEngine view showing one HTML
// file, nothing else. bench/first_paint.sh times it beside Quillview.
//
//   minimal_webview FILE.html [WIDTH HEIGHT]
#include <QApplication>
#include <QUrl>
#include <QWebEngineView>
#include <unistd.h>

int main(int argc, char** argv) {
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() < 2)
        return 2;
    QWebEngineView view;
    if (arguments.size() >= 4)
        view.resize(arguments[2].toInt(), arguments[3].toInt());
    view.load(QUrl::fromLocalFile(arguments[1]));
    view.show();
    return application.exec();
}
