#pragma once

#include <QByteArray>
#include <QHash>

#include <cstdio>
#include <xlsxwriter.h>

// The stream through which libxlsxwriter writes a sheet's rows into its
// data file. libxlsxwriter writes a number cell's value with sixteen
// significant digits, which not every double reads back from
// (0.30000000000000004 becomes 0.3); the cells named to this stream get,
// in place of those digits, the shortest ones that read back as their
// number. Everything else passes unchanged. The stream keeps a buffer of
// its own: Flush hands what it holds to `data`, and must come before the
// data file is read or looked at.
class ExactNumberStream
{
public:
    explicit ExactNumberStream(std::FILE *data);
    ~ExactNumberStream();
    ExactNumberStream(const ExactNumberStream &) = delete;
    ExactNumberStream &operator=(const ExactNumberStream &) = delete;

    // Hands what the stream holds on to the data file; false where that
    // failed.
    bool Flush();
    // The system's reason of the first write into the data file that
    // failed; 0 while none did.
    int ErrorNumber() const { return m_errorNumber; }
    // Null where the stream could not be made.
    std::FILE *Stream() const { return m_stream; }

    // Whether sixteen significant digits, as libxlsxwriter writes them, read
    // back as a number other than `value`.
    static bool NeedsMoreDigits(double value);
    // The cell at `row` and `column` is to hold `value` exactly.
    void Keep(lxw_row_t row, lxw_col_t column, double value);

private:
    static constexpr size_t kBuffer = size_t(1) << 16;
    static ssize_t write(void *cookie, const char *bytes, size_t size);
    bool pass(const char *bytes, size_t size);
    bool mended(QByteArray &pending);
    bool put(const char *bytes, qsizetype size);

    std::FILE *m_data;
    int m_errorNumber = 0;
    std::FILE *m_stream = nullptr;
    QHash<QByteArray, QByteArray> m_digits; // by cell reference ("B7"), till the cell is written
    QByteArray m_pending;                   // the start of a cell not yet whole
};
