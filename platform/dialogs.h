#pragma once
// The few places where the program blocks on a person: the instance-message warning box and the
// profile/macro file dialogs. Each goes through a replaceable handler, so tests supply answers
// without a person and observe what would have been shown. Tray balloons are observable the
// same way, and whether a tray exists can be decided by a test.
#include <QString>
#include <functional>

class QWidget;
class QSystemTrayIcon;

namespace platform
{

using WarningBoxHandler = std::function<void(const QString &title, const QString &text)>;
using FileDialogHandler = std::function<QString(bool save, const QString &title,
                                                const QString &directory, const QString &filter)>;
using BalloonObserver = std::function<void(const QString &title, const QString &text)>;

// QMessageBox::warning with no parent, the single button Ok and no default button.
void showWarningBox(const QString &title, const QString &text);
// QFileDialog::getOpenFileName / getSaveFileName; an empty answer means cancelled.
QString getOpenFileName(QWidget *parent, const QString &title, const QString &directory,
                        const QString &filter);
QString getSaveFileName(QWidget *parent, const QString &title, const QString &directory,
                        const QString &filter);
// Balloon "title"/"text" with the information icon for 10000 ms.
void showTrayBalloon(QSystemTrayIcon *icon, const QString &title, const QString &text);
// Whether the desktop shows tray icons now (QSystemTrayIcon::isSystemTrayAvailable).
bool systemTrayAvailable();

// Handlers for tests; an empty function restores the real dialog.
void setWarningBoxHandler(WarningBoxHandler handler);
void setFileDialogHandler(FileDialogHandler handler);
void setBalloonObserver(BalloonObserver observer);
void setTrayProbe(std::function<bool()> probe);

} // namespace platform
