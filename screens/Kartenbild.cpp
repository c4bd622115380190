// Tile widgets kept in step with the model's tile.
#include "Kartenbild.h"

#include "Karte1.h"
#include "Label.h"
#include "Shape.h"

#include <QString>

TKartenbild::TKartenbild(QWidget* feld, std::function<void()> mouseDown)
    : Form(new TShape(feld))
    , Hinweis(new TLabel(feld))
{
    Form->onMouseDown = std::move(mouseDown);
}

void TKartenbild::Abgleichen(const TKarten& karte)
{
    const TFigur& f = karte.Form;
    if (!m_bekannt || f.Shape != m_form.Shape)
        Form->setShape(f.Shape);
    if (!m_bekannt || f.Left != m_form.Left || f.Top != m_form.Top || f.Width != m_form.Width
        || f.Height != m_form.Height)
        Form->setGeometry(f.Left, f.Top, f.Width, f.Height);
    if (!m_bekannt || f.BrushColor != m_form.BrushColor)
        Form->setBrushColor(f.BrushColor);
    if (!m_bekannt || f.Visible != m_form.Visible)
        Form->setVisible(f.Visible);
    m_form = f;

    const TBeschriftung& h = karte.Hinweis;
    if (!m_bekannt || h.Left != m_hinweis.Left || h.Top != m_hinweis.Top)
        Hinweis->move(h.Left, h.Top);
    if (!m_bekannt || h.Caption != m_hinweis.Caption)
        Hinweis->setCaption(QString::fromStdString(h.Caption));
    if (!m_bekannt || h.Color != m_hinweis.Color)
        Hinweis->setColor(h.Color);
    if (!m_bekannt || h.Visible != m_hinweis.Visible)
        Hinweis->setVisible(h.Visible);
    m_hinweis = h;
    m_bekannt = true;
}
