#pragma once

#include <QDialog>

QT_BEGIN_NAMESPACE
class QFrame;
class QLabel;
class QPushButton;
class QTextBrowser;
QT_END_NAMESPACE

// The instructions box that Help shows: title, picture, credits and the
// instructions text. A new box is made for every Help, so it always opens
// with the text scrolled to the top.
class TAboutBox : public QDialog
{
    Q_OBJECT

  public:
    explicit TAboutBox(QWidget* owner = nullptr);

    void OKButtonClick();

    QFrame* Panel1;
    QLabel *Image1, *Label1, *Label2, *Label3, *Label4;
    QTextBrowser* RichEdit1;
    QPushButton* OKButton;
};

// The instructions, as plain lines.
QString InstructionsText();
