// The option lists of the settings panel: their items and the selections they
// start with. Their change handlers come with the option settings.
#include "app/CConverterDlg.h"

#include "jobs/OptionDefaults.h"
#include "options/OptionItems.h"
#include "options/OutputCatalogue.h"
#include "skin/CSkinComboBox.h"
#include "videoedit/CVideoEdit.h"

namespace kelvara {
namespace {

QString Text(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QStringList Texts(const std::vector<std::string>& items)
{
    QStringList texts;
    for (const std::string& item : items)
        texts << QString::fromStdString(item);
    return texts;
}

void Fill(CSkinComboBox* combo, const QStringList& items, int selected)
{
    combo->clear();
    combo->addItems(items);
    combo->SetCurSel(selected);
}

} // namespace

void CConverterDlg::FillOptionLists()
{
    for (const OptionList& list : FixedOptionLists()) {
        QStringList items;
        for (const std::string_view item : list.items)
            items << Text(item);
        Fill(m_controls->Combo(list.controlId), items, list.defaultItem);
    }
    QStringList pictureTypes;
    for (const PictureType& type : PictureTypes())
        pictureTypes << Text(type.comboText);
    Fill(m_controls->Combo(control_id::ImageType), pictureTypes, 0);
}

void CConverterDlg::FillCodecLists()
{
    const std::vector<std::string> video = CodecComboItems(m_videoEdit->VideoCodecs());
    const std::vector<std::string> audio = CodecComboItems(m_videoEdit->AudioCodecs());
    Fill(m_controls->Combo(control_id::AviCodec), Texts(video),
        DefaultCodecPosition(video, option_items::kPreferredVideoCodec));
    Fill(m_controls->Combo(control_id::AviSoundCodec), Texts(audio),
        DefaultCodecPosition(audio, option_items::kPreferredSoundCodec));
}

} // namespace kelvara
