#include "app/nomousenotice.h"

#include "base/datapaths.h"
#include "device/access.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

NoMouseNotice::NoMouseNotice(const QString &title, QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("noMouseNotice"));
    setWindowTitle(title);
    auto *layout = new QVBoxLayout(this);
    heading_ = new QLabel(this);
    QFont headingFont = heading_->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.3);
    heading_->setFont(headingFont);
    body_ = new QLabel(this);
    body_->setObjectName(QStringLiteral("noticeText"));
    body_->setWordWrap(true);
    body_->setTextInteractionFlags(Qt::TextSelectableByMouse); // the commands can be copied
    button_ = new QPushButton(this);
    connect(button_, &QPushButton::clicked, this, &QWidget::close);
    layout->addWidget(heading_);
    layout->addWidget(body_);
    layout->addWidget(button_, 0, Qt::AlignRight);
    setFixedWidth(480);
    retranslate();
}

void NoMouseNotice::setEndsProgram(bool endsProgram)
{
    endsProgram_ = endsProgram;
    retranslate();
}

void NoMouseNotice::retranslate()
{
    heading_->setText(tr("No mouse was found"));
    body_->setText(noticeText());
    button_->setText(endsProgram_ ? tr("Quit") : tr("Close"));
}

QString NoMouseNotice::noticeText()
{
    const QString table =
        QDir::cleanPath(QFileInfo(datapaths::globalSettings()).absoluteFilePath());
    return tr("Plug in the mouse: the program looks for it again two seconds later.") +
           QStringLiteral("\n\n") +
           tr("If it is plugged in, this user may not be allowed to open it.") + QLatin1Char(' ') +
           deviceaccess::udevRuleAdvice() + QStringLiteral("\n\n") +
           tr("The device table %1 must name the mouse's ids (lsusb shows them). The log "
              "(category orbis.device) tells what was searched and found.")
               .arg(table);
}

void NoMouseNotice::showEvent(QShowEvent *event)
{
    retranslate();
    QWidget::showEvent(event);
}

void NoMouseNotice::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void NoMouseNotice::closeEvent(QCloseEvent *event)
{
    event->accept();
    if (endsProgram_)
        emit quitRequested();
}
