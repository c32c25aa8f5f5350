#pragma once

#include "lot/CompareReader.h"

#include <QString>

#include <atomic>

// A lot as an Excel workbook:
// - "Files": a row per file in the lot's order: its first row's time, its
//   path, fibers, passed, marginal (with a band), yield, worst channel and
//   least Cpk, or why it could not be read;
// - "Channels": each channel's figures over the lot's fibers, each counted
//   once by its latest result, as a file's workbook has them;
// - "Fibers": a row per fiber known by name, counted once: its name, its
//   latest verdict and its power at each channel.
// Written atomically, as a file's workbook is.
namespace LotWorkbook {

// Writes `lot` (a folder read as a lot by CompareReader) to `path`; false
// with the reason in `error` where it could not, the older file left as
// it was. Written, `error` may hold a notice.
bool Write(const CompareReader::Side &lot, const QString &path, QString *error = nullptr,
           const std::atomic<bool> *stop = nullptr);

} // namespace LotWorkbook
