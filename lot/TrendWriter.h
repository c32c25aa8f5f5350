#pragma once

#include "data/JudgePipeline.h"
#include "lot/LotControl.h"
#include "output/SummaryWriter.h"

#include <QByteArray>
#include <QCoreApplication>

#include <optional>

class LotModel;

// The trend of a lot in one of the summary formats: a line per file in
// time order (path, first row's date and time, fibers, passed, marginal,
// yield, worst channel, least Cpk), the lot's line (files, fibers counted
// once, passed, yield, retested, retested that passed in the end, passed
// the first time) and the
// files that could not be read. UTF-8, numbers as --summary writes them.
class TrendWriter
{
    Q_DECLARE_TR_FUNCTIONS(TrendWriter)
public:
    // `inputs` are what the files were judged with; `colour` colours the
    // text's verdicts; `control`, where given, adds the control charts'
    // limits and alarms (JSON, JSON Lines and text).
    static QByteArray Write(SummaryWriter::Format format, const LotModel &lot, const JudgeInputs &inputs,
                            bool colour = false, const LotControl::Result *control = nullptr);

private:
    static QByteArray json(const LotModel &lot, bool lines, const LotControl::Result *control);
    static QByteArray csv(const LotModel &lot);
    static QByteArray text(const LotModel &lot, bool banded, bool colour, const LotControl::Result *control);
};
