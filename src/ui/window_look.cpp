// SPDX-License-Identifier: MIT
#include "window_look.h"

#include <QFontDatabase>
#include <QString>
#include <QWidget>

QColor colour(const WindowForm::Colour &rgb)
{
    return {rgb.red, rgb.green, rgb.blue};
}

// Every colour role set, so that a desktop colour scheme (a dark one, say) changes nothing: the
// form's text and background colours, the classic bevel, black text in the white text boxes.
QPalette windowPalette()
{
    const WindowForm::Control &form = WindowForm::window();
    const QColor text = colour(form.foreground.value_or(WindowForm::textColour));
    QPalette palette(text, colour(WindowForm::bevelFace), colour(WindowForm::bevelHighlight),
                     colour(WindowForm::bevelShadow), QColor(200, 200, 200), Qt::black, Qt::white,
                     Qt::white, colour(form.background.value_or(WindowForm::windowColour)));
    palette.setColor(QPalette::Shadow, QColor(64, 64, 64));
    palette.setColor(QPalette::Highlight, QColor(0, 0, 128));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::AlternateBase, QColor(245, 245, 245));
    palette.setColor(QPalette::ToolTipBase, QColor(255, 255, 225));
    palette.setColor(QPalette::ToolTipText, Qt::black);
    palette.setColor(QPalette::PlaceholderText, QColor(128, 128, 128));
    palette.setColor(QPalette::Link, Qt::blue);
    palette.setColor(QPalette::LinkVisited, QColor(128, 0, 128));
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(QPalette::Disabled, role, QColor(128, 128, 128));
    }
    return palette;
}

// A control's colours from its row: its background (the button paints its own face) and the
// colour of its text, where the row gives them.
void paintColours(QWidget *widget, const WindowForm::Control &row)
{
    QPalette palette = widget->palette();
    if (row.background && row.kind != WindowForm::Kind::Button) {
        palette.setColor(widget->backgroundRole(), colour(*row.background));
        widget->setAutoFillBackground(true);
    }
    if (row.foreground) {
        palette.setColor(widget->foregroundRole(), colour(*row.foreground));
    }
    widget->setPalette(palette);
}

// A font of the form, in pixels at 96 dpi. The form's one face, Times New Roman, is drawn with the
// face the program carries: Liberation Serif, which has the same metrics, cut down to the window's
// letters. It is the same on every machine, whatever fonts it has, and covers every letter the
// window shows, so no fallback fonts are merged.
QFont formFont(const WindowForm::Font &form)
{
    static const QString family = [] {
        const int id =
            QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/zantrel-serif.ttf"));
        return QFontDatabase::applicationFontFamilies(id).value(
            0, QString::fromUtf8(WindowForm::windowFont.face.data(),
                                 static_cast<qsizetype>(WindowForm::windowFont.face.size())));
    }();
    QFont font(form.face == WindowForm::windowFont.face
                   ? family
                   : QString::fromUtf8(form.face.data(), static_cast<qsizetype>(form.face.size())));
    font.setPixelSize(WindowForm::fontPixels(form, 96));
    font.setWeight(static_cast<QFont::Weight>(form.weight));
    font.setStyleStrategy(QFont::NoFontMerging);
    return font;
}
