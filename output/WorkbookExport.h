#pragma once

#include "data/JudgePipeline.h"
#include "data/LoadedFile.h"
#include "data/MeasurementRow.h"
#include "data/MeasurementRows.h"

#include <QByteArray>
#include <QString>

#include <atomic>
#include <functional>
#include <optional>

// A result file as an Excel workbook (XLSX), written by libxlsxwriter in
// its constant-memory mode, so that a file of any size needs little
// memory:
// - "Fibers": a row per fiber: name, verdict, marginal, reasons, failed
//   channels, worst channel and margin, then the power and the margin of
//   each channel as numbers ("Low" and no-number cells as text); failing
//   cells filled by a conditional format;
// - "Channels": each channel's statistics, as --summary gives them;
// - "Rows": the table as the CSV export has it, numbers as numbers, when it
//   fits a sheet; otherwise left out, and a note on the first sheet's first
//   cell says why.
// Every sheet has its header line frozen and an autofilter, its columns as
// wide as their texts. Texts are those the window shows, decoded from code
// page 936, controls written out. The file's name and header lines, the
// yield and the program's version are in the workbook's properties.
namespace WorkbookExport {

// What a workbook is made of.
struct Source
{
    QString name;     // the result file's name, as shown
    QByteArray header; // its header lines, as in the file
    // The file judged whole, the channels' figures kept, with the warning
    // margin of the marginal band if there is one; each fiber's verdict.
    const ThresholdJudge *judge = nullptr;
    const QList<LoadedFile::Verdict> *verdicts = nullptr;
    qsizetype rows = 0;
    // Each row in the file's order; false after the last.
    std::function<bool(MeasurementRow &row)> next;
};

// Writes the workbook of `source` to `path`, atomically (see StagedFile):
// on any failure, or when `stop` is set before it is complete, the file is
// left as it was and `error` says why. Written, `error` may hold a notice.
bool WriteFile(const Source &source, const QString &path, QString *error = nullptr,
               const std::atomic<bool> *stop = nullptr);

// The workbook of the result file at `fibPath` into exactly `xlsxPath`:
// the file is read once, judged with `inputs`, and its rows kept on the
// disk for the sheets (see RowSpool). Safe to run on several threads at
// once. `misaligned`, when given, says where its rows stop being aligned.
bool ExportResultFile(const QString &fibPath, const QString &xlsxPath, const JudgeInputs &inputs = {},
                      QString *error = nullptr, const std::atomic<bool> *stop = nullptr,
                      Misalignment *misaligned = nullptr);

// The workbook of rows held and judged already (the window's file, `name`
// its name and `header` its header lines, `verdicts` what it shows of
// them) into exactly `xlsxPath` as WriteFile writes it. The rows and
// verdicts are only read: copies that share them may be handed to another
// thread.
bool ExportRows(const QString &name, const QByteArray &header, const MeasurementRows &rows,
                const LoadedFile::Verdicts &verdicts, const QString &xlsxPath, QString *error = nullptr,
                const std::atomic<bool> *stop = nullptr);

} // namespace WorkbookExport
