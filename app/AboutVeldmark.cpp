#include "app/AboutVeldmark.h"

#include "app/CreditsPicture.h"
#include "app/FormFont.h"

#include "VeldmarkVersion.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBrowser>

namespace
{

// Centred in the panel: a fixed left edge (48) centres the title in one
// font only.
QLabel* CreditLine(QWidget* panel, const char* name, const QString& text, int top)
{
    QFont bold = FormFont(13); // 10 points
    bold.setBold(true);
    auto* label = new QLabel(text, panel);
    label->setObjectName(QLatin1String(name));
    label->setFont(bold);
    label->adjustSize();
    label->move((panel->width() - label->width()) / 2, top);
    return label;
}

} // namespace

TAboutBox::TAboutBox(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(tr("About Veldmark"));
    setFont(FormFont());
    setFixedSize(429, 403); // a fixed dialog border: not resizable
    setSizeGripEnabled(false);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(10, 8, 409, 181);
    Panel1->setFrameStyle(QFrame::Box | QFrame::Sunken); // lowered outside, raised inside

    Image1 = new QLabel(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(92, 8, 225, 77);
    Image1->setPixmap(CreditsPicture());

    Label1 = CreditLine(Panel1, "Label1", tr("ANSI C63.4/C63.5 Theoretical Veldmark"), 92);
    Label2 = CreditLine(Panel1, "Label2", tr("Normalized Site Attenuation"), 112);
    Label3 = CreditLine(Panel1, "Label3", tr("by the two-ray method"), 136);
    Label4 =
        CreditLine(Panel1, "Label4", tr("Version %1").arg(QLatin1String(kVeldmarkVersion)), 156);

    RichEdit1 = new QTextBrowser(this);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setGeometry(12, 200, 405, 161);
    RichEdit1->setReadOnly(true);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setPlainText(InstructionsText());
    RichEdit1->verticalScrollBar()->setValue(0);

    OKButton = new QPushButton(tr("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(177, 368, 75, 25);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &TAboutBox::OKButtonClick);
}

void TAboutBox::OKButtonClick()
{
    done(QDialog::Accepted);
}

QString InstructionsText()
{
    return QObject::tr(
        "                              INSTRUCTIONS\n"
        "\n"
        "OVERVIEW\n"
        "\n"
        "Type in a test-site geometry and a frequency range, then press \"Add\" to "
        "calculate the theoretical Normalized Site Attenuation (NSA). When \"Show "
        "Default ANSI NSA for this Geometry\" is checked, the standard ANSI NSA for a "
        "receive scan from 1 m to 4 m is calculated as well, with a height step small "
        "enough to give a correct result.\n"
        "\n"
        "The second graph shows either the receive height at which the maximum field "
        "(the minimum NSA) was found, or that maximum field itself (EdMax).\n"
        "\n"
        "By changing the inputs you can see what a reduced scan height does, as in a "
        "compact chamber, or compare other geometries. The last calculation can be "
        "stored as a CSV file to be opened in a spreadsheet.\n"
        "\n"
        "PARAMETERS AND CONTROLS\n"
        "\n"
        "    Transmit Height: height of the transmit antenna in metres, usually "
        "1, 1.5 or 2 m.\n"
        "\n"
        "    Separation Distance: horizontal distance between the two antennas in "
        "metres, usually 3 or 10 m.\n"
        "\n"
        "    Upper Receive Scan Limit: the highest receive antenna height; ANSI C63.4 "
        "and C63.5 use 4 m.\n"
        "\n"
        "    Lower Receive Scan Limit: the lowest receive antenna height; ANSI C63.4 "
        "and C63.5 use 1 m.\n"
        "\n"
        "    Scan Step Size: how far the receive antenna moves between two readings. "
        "In a measurement this is the mast speed divided by the receiver's sweep "
        "rate. The larger the step, the larger the error in the NSA. Zero selects "
        "the default step, which gets finer as the frequency rises.\n"
        "\n"
        "    Start Frequency: in MHz; accepted when above 0 and at most 40 GHz. Values "
        "below a few MHz mean little; ANSI measurements usually start at 30 MHz.\n"
        "\n"
        "    Stop Frequency: in MHz; accepted when above the start frequency and at "
        "most 40 GHz. The ANSI C63.5 tables end at 1 GHz: above that, most antennas "
        "have a narrowing beam and no longer fit the ANSI NSA formula.\n"
        "\n"
        "    Number of Frequency Points: the frequency range divided by the frequency "
        "step, plus one (the number of steps plus one).\n"
        "\n"
        "    Polarization: horizontal or vertical antennas.\n"
        "\n"
        "    Show Default ANSI NSA for this Geometry: also calculates and shows the "
        "standard ANSI NSA (1 m to 4 m scan, default step).\n"
        "\n"
        "    Second Graph: shows EdMax or the height of the maximum on the lower "
        "graph.\n"
        "\n"
        "    Add: calculates and shows the NSA, and the standard curve too when the "
        "check box is set.\n"
        "\n"
        "    Save: opens a dialog with a suggested file name and stores the last data "
        "calculated with \"Add\" as a CSV file.\n"
        "\n"
        "    Clear: clears all graphs.\n"
        "\n"
        "    Help: shows this box.\n"
        "\n"
        "Curves stay on the graphs until \"Clear\", so several geometries can be "
        "compared at once. The entries are remembered for the next run.\n");
}
