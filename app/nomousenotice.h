#pragma once
// On a desktop without a tray, the window that appears when no usable mouse was found: it says
// so and how to fix it, and closing it (or its Quit button) ends the program, since nothing
// else could reach it.
#include <QWidget>

class NoMouseNotice : public QWidget
{
    Q_OBJECT
public:
    explicit NoMouseNotice(const QString &title, QWidget *parent = nullptr);

    static QString noticeText();

signals:
    void quitRequested();

protected:
    void closeEvent(QCloseEvent *event) override;
};
