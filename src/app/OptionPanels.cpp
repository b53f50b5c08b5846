// The option lists of the settings panel: their items and the selections they
// start with. Their change handlers come with the option settings.
#include "app/CConverterDlg.h"

#include "CSkinComboBox.h"
#include "settings/OptionItems.h"
#include "settings/OutputCatalogue.h"
#include "videoedit/CVideoEdit.h"

namespace kelvara {
namespace {

QString Text(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// The codec names as the lists show them: leading blanks trimmed, empty
// names left out.
QStringList Names(const CodecList& codecs)
{
    QStringList names;
    for (std::int16_t i = 0; i < codecs.Count(); ++i) {
        const QString name = QString::fromStdString(codecs.Item(i)).trimmed();
        if (!name.isEmpty())
            names << name;
    }
    return names;
}

int FirstWithPrefix(const QStringList& names, std::string_view prefix)
{
    for (int i = 0; i < names.size(); ++i)
        if (names[i].startsWith(Text(prefix), Qt::CaseInsensitive))
            return i;
    return 0;
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
    Fill(m_controls->Combo(ctl::ImageType), pictureTypes, 0);
}

void CConverterDlg::FillCodecLists()
{
    if (!m_videoEdit)
        m_videoEdit = new CVideoEdit(this);
    const QStringList video = Names(m_videoEdit->VideoCodecs());
    const QStringList audio = Names(m_videoEdit->AudioCodecs());
    Fill(m_controls->Combo(ctl::AviCodec), video, FirstWithPrefix(video, option_items::kPreferredVideoCodec));
    Fill(m_controls->Combo(ctl::AviSoundCodec), audio,
        FirstWithPrefix(audio, option_items::kPreferredSoundCodec));
}

} // namespace kelvara
