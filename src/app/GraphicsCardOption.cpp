// "Use the graphics card" of the main dialog: shown for a video kind whose
// codecs a card encoder that passed its trial at start can make, kept in the
// user's settings, and read by the device conversions.
#include "app/CConverterDlg.h"

#include "conversions/GraphicsCardKinds.h"
#include "platform/SettingsStore.h"
#include "skin/CSkinButton.h"

namespace kelvara {
namespace {

const QString kUseGraphicsCardKey = QStringLiteral("Choices/UseGraphicsCard");

} // namespace

void CConverterDlg::SetGraphicsCardEncoders(std::vector<UsableEncoder> encoders)
{
    m_graphicsCard = std::move(encoders);
    CSkinButton* box = m_controls->Button(control_id::UseGraphicsCard);
    if (m_services.settings)
        box->SetCheck(m_services.settings->Read(kUseGraphicsCardKey) == QStringLiteral("1"));
    connect(
        box, &QAbstractButton::clicked, this, &CConverterDlg::OnGraphicsCardToggled, Qt::UniqueConnection);
    ShowGraphicsCardOption();
}

void CConverterDlg::ShowGraphicsCardOption()
{
    m_controls->At(control_id::UseGraphicsCard)
        ->setVisible(GraphicsCardServes(m_output.Current(), m_graphicsCard));
}

void CConverterDlg::OnGraphicsCardToggled()
{
    if (m_services.settings)
        m_services.settings->Write(kUseGraphicsCardKey,
            m_controls->Button(control_id::UseGraphicsCard)->GetCheck() ? QStringLiteral("1")
                                                                        : QStringLiteral("0"));
}

std::vector<UsableEncoder> CConverterDlg::ChosenGraphicsCard() const
{
    const CSkinButton* box = m_controls->Button(control_id::UseGraphicsCard);
    if (!box->isVisibleTo(this) || !box->GetCheck())
        return {};
    return m_graphicsCard;
}

} // namespace kelvara
