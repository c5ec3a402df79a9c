// The reference for the start-up benchmark: one frameless, translucent 1024 x 640 Qt Quick
// widget with a trivial scene, drawn by the same software renderer as the program.
#include <QApplication>
#include <QQuickWidget>
#include <QQuickWindow>
#include <QSGRendererInterface>
#include <QUrl>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND"))
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    QApplication app(argc, argv);
    QQuickWidget view;
    view.setWindowFlags(Qt::FramelessWindowHint | Qt::Window);
    view.setAttribute(Qt::WA_TranslucentBackground);
    view.setClearColor(Qt::transparent);
    view.setResizeMode(QQuickWidget::SizeRootObjectToView);
    view.setSource(QUrl(QStringLiteral("qrc:/reference.qml")));
    view.resize(1024, 640);
    view.show();
    return app.exec();
}
