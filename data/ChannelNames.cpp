#include "data/ChannelNames.h"

#include "data/ThresholdJudge.h"

int ChannelNames::Of(QByteArrayView field, qsizetype position)
{
    if (position >= m_fieldAt.size())
        m_fieldAt.resize(position + 1);
    FieldAt &at = m_fieldAt[position];
    if (at.index >= 0 && at.field == field)
        return at.index;
    at.field = field.toByteArray();
    const QByteArray shown = ThresholdJudge::ShownText(field);
    at.index = m_index.value(shown, -1);
    if (at.index < 0) {
        at.index = int(m_names.size());
        m_names.append(shown);
        m_index.insert(shown, at.index);
    }
    return at.index;
}
