#include "frmabout.h"

namespace cellwright {

namespace {
// Light green.
constexpr OleColor AboutBackColor = Rgb(192, 255, 192);
// Dark blue.
constexpr OleColor NameColor = Rgb(0, 0, 128);
} // namespace

frmAbout::frmAbout()
{
    setCaption(QStringLiteral("About"));
    setBorderStyle(Border::FixedSingle);
    setMinButton(false);
    setMaxButton(false);
    setBackColor(AboutBackColor);
    setForeColor(SysWindowText);
    setFont(QStringLiteral("MS Sans Serif"), 8.25f, true);
    setClientSize(4710, 2505);
    setLeft(1455);
    setTop(5625);

    Label1.Move(120, 120, 4455, 375);
    Label1.setCaption(QStringLiteral("Cellwright"));
    Label1.setFont(QStringLiteral("MS Serif"), 13.5f, true);
    Label1.setForeColor(NameColor);
    Label2.Move(120, 600, 4455, 255);
    Label2.setCaption(QStringLiteral("(c) The Cellwright developers"));
    Label6.Move(120, 960, 4455, 255);
    Label6.setCaption(QStringLiteral("Version 1.0f of 2005-10-30"));
    Label7.Move(120, 1200, 4455, 255);
    Label7.setCaption(QString(61, u'-'));
    Label3.Move(120, 1440, 4455, 255);
    Label3.setCaption(QString());
    Label4.Move(120, 1800, 4455, 255);
    Label4.setCaption(QStringLiteral("Please report bugs, plus suggestions to:"));
    Label5.Move(120, 2160, 4455, 255);
    Label5.setCaption(QStringLiteral("the Cellwright project's issue tracker"));

    // Back to front, so that Label7 lies in front where it meets Label6 and Label3.
    for (Label *label : { &Label1, &Label2, &Label3, &Label4, &Label5, &Label6, &Label7 }) {
        label->setAlignment(Align::Center);
        label->setBackColor(AboutBackColor);
        label->ZOrder(0);
    }
}

} // namespace cellwright
