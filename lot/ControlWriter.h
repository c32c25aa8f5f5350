#pragma once

#include "lot/LotControl.h"

#include <QByteArray>
#include <QCoreApplication>

class LotModel;

// The control charts and alarms of a lot (LotControl) in the trend's
// formats: JSON's "control" and "alarms", a JSON line for each alarm, and
// the text's lines after the lot's.
class ControlWriter
{
    Q_DECLARE_TR_FUNCTIONS(ControlWriter)
public:
    // `"control": {...}, "alarms": [...], "control_notes": [...]`, the
    // members that follow the lot's in the trend's JSON; without the
    // alarms, on one line, for JSON Lines.
    static QByteArray JsonMembers(const LotModel &lot, const LotControl::Result &control, bool alarms = true);
    // The first stage's limits of the yield: the lot's "yield_control".
    static QByteArray YieldControl(const LotControl::Result &control);
    // An alarm as one JSON object, without a line's end; `type` first when
    // given (JSON Lines).
    static QByteArray Alarm(const LotModel &lot, const LotControl::Alarm &alarm, const char *type = nullptr);
    // "alarms:" and a line for each, or the notes that say why there are none.
    static QString Text(const LotModel &lot, const LotControl::Result &control);
    // An alarm in words, for a line of text or a status bar.
    static QString Sentence(const LotModel &lot, const LotControl::Alarm &alarm);
};
