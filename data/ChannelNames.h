#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>

// The channels of fibers as a person reads them, numbered in the order
// they first came: two fields that show the same text are one channel.
// Fibers list their channels in the same order, so the field met last at
// a place in a fiber is remembered, and decoded again only where it
// changes.
class ChannelNames
{
public:
    // The channel of the channel field `field` at `position` among its
    // fiber's rows.
    int Of(QByteArrayView field, qsizetype position);
    // Its text, as shown (UTF-8).
    const QByteArray &At(int index) const { return m_names.at(index); }
    // The channel shown as `shown`; -1 for none.
    int IndexOf(const QByteArray &shown) const { return m_index.value(shown, -1); }
    int Count() const { return int(m_names.size()); }
    const QList<QByteArray> &All() const { return m_names; }

private:
    struct FieldAt
    {
        QByteArray field;
        int index = -1;
    };
    QList<QByteArray> m_names;
    QHash<QByteArray, int> m_index;
    QList<FieldAt> m_fieldAt;
};
