#pragma once
// The window that says no usable mouse was found and how to fix it. Without a tray it appears
// by itself after a check that found no mouse, and closing it (or its Quit button) ends the
// program, since nothing else could reach it. With a tray it appears on request (the tray's
// entry, a click on the icon, a start from the launcher) and closing it only hides it.
#include <QWidget>

class QLabel;
class QPushButton;

class NoMouseNotice : public QWidget
{
    Q_OBJECT
public:
    explicit NoMouseNotice(const QString &title, QWidget *parent = nullptr);

    // Whether closing the notice ends the program (no tray) or only hides it.
    void setEndsProgram(bool endsProgram);
    bool endsProgram() const { return endsProgram_; }

    // The advice, naming the absolute path of the device table the program reads
    // ("modules/setting/apConfig.bin" under the working directory) and the udev advice that
    // fits how the program was installed.
    static QString noticeText();

signals:
    void quitRequested();

protected:
    void closeEvent(QCloseEvent *event) override;
    // The advice is written anew at every show (the rule may have been installed meanwhile)
    // and in a new language.
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void retranslate();

    QLabel *heading_ = nullptr;
    QLabel *body_ = nullptr;
    QPushButton *button_ = nullptr;
    bool endsProgram_ = true;
};
