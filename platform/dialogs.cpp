#include "platform/dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QSystemTrayIcon>

namespace platform
{
namespace
{
WarningBoxHandler &warningHandler()
{
    static WarningBoxHandler h;
    return h;
}
FileDialogHandler &fileHandler()
{
    static FileDialogHandler h;
    return h;
}
BalloonObserver &balloonObserver()
{
    static BalloonObserver h;
    return h;
}
std::function<bool()> &trayProbe()
{
    static std::function<bool()> h;
    return h;
}
} // namespace

void showWarningBox(const QString &title, const QString &text)
{
    if (warningHandler()) {
        warningHandler()(title, text);
        return;
    }
    QMessageBox::warning(nullptr, title, text, QMessageBox::Ok, QMessageBox::NoButton);
}

QString getOpenFileName(QWidget *parent, const QString &title, const QString &directory,
                        const QString &filter)
{
    if (fileHandler())
        return fileHandler()(false, title, directory, filter);
    return QFileDialog::getOpenFileName(parent, title, directory, filter);
}

QString getSaveFileName(QWidget *parent, const QString &title, const QString &directory,
                        const QString &filter)
{
    if (fileHandler())
        return fileHandler()(true, title, directory, filter);
    return QFileDialog::getSaveFileName(parent, title, directory, filter);
}

void showTrayBalloon(QSystemTrayIcon *icon, const QString &title, const QString &text)
{
    if (balloonObserver())
        balloonObserver()(title, text);
    // Without a tray the message goes nowhere; asking for it would still look up the
    // information icon in the icon theme, a few milliseconds on every connect.
    if (icon && systemTrayAvailable())
        icon->showMessage(title, text, QSystemTrayIcon::Information, 10000);
}

bool systemTrayAvailable()
{
    return trayProbe() ? trayProbe()() : QSystemTrayIcon::isSystemTrayAvailable();
}

void setWarningBoxHandler(WarningBoxHandler handler)
{
    warningHandler() = std::move(handler);
}
void setFileDialogHandler(FileDialogHandler handler)
{
    fileHandler() = std::move(handler);
}
void setBalloonObserver(BalloonObserver observer)
{
    balloonObserver() = std::move(observer);
}

void setTrayProbe(std::function<bool()> probe)
{
    trayProbe() = std::move(probe);
}

} // namespace platform
