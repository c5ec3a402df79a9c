#include "app/nomousenotice.h"

#include "device/access.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

NoMouseNotice::NoMouseNotice(const QString &title, QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("noMouseNotice"));
    setWindowTitle(title);
    auto *layout = new QVBoxLayout(this);
    auto *heading = new QLabel(tr("No mouse was found"), this);
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.3);
    heading->setFont(headingFont);
    auto *body = new QLabel(noticeText(), this);
    body->setWordWrap(true);
    body->setTextInteractionFlags(Qt::TextSelectableByMouse); // the commands can be copied
    auto *quit = new QPushButton(tr("Quit"), this);
    connect(quit, &QPushButton::clicked, this, &NoMouseNotice::quitRequested);
    layout->addWidget(heading);
    layout->addWidget(body);
    layout->addWidget(quit, 0, Qt::AlignRight);
    setFixedWidth(480);
}

QString NoMouseNotice::noticeText()
{
    return tr("Plug in the mouse: the program looks for it again two seconds later.") +
           QStringLiteral("\n\n") +
           tr("If it is plugged in, this user may not be allowed to open it.") +
           QLatin1Char(' ') + deviceaccess::udevRuleAdvice() + QStringLiteral("\n\n") +
           tr("The device table in modules/setting/apConfig.bin must name the mouse's ids "
              "(lsusb shows them). The log (category orbis.device) tells what was searched "
              "and found.");
}

void NoMouseNotice::closeEvent(QCloseEvent *event)
{
    event->accept();
    emit quitRequested();
}
