#include "cli/HelpText.h"

#include "data/Texts.h"

namespace HelpText {

namespace {

// Each form of the command is on a line of its own, two blanks in, and
// starts with its job's option: the manual page's synopsis is made of those
// lines (cmake/ManualSynopsis.cmake), and a test holds the README's list of
// commands to them.
const char kDescription[] = QT_TRANSLATE_NOOP(
    "Quenvale",
    "Quenvale, a viewer for fiber measurement result files (.fib).\n"
    "\n"
    "Without --export-csv, --print-pdf or --summary, opens the window with a tab\n"
    "for each FILE.fib given, the last one shown.\n"
    "\n"
    "With one of them, runs that job without a window and exits:\n"
    "\n"
    "  --export-csv OUT.csv FILE.fib\n"
    "      Writes the CSV export of FILE.fib to OUT.csv: the very bytes that Save As\n"
    "      writes right after FILE.fib is opened in the window. The file is read\n"
    "      and the CSV written as they go, so any size of file needs little memory.\n"
    "  --export-csv OUTDIR FILE.fib...\n"
    "      Writes OUTDIR/NAME.csv for each FILE.fib, where NAME is the file's name\n"
    "      without a final \".fib\" (in any case). OUTDIR must be an existing\n"
    "      folder; it is taken as one whenever it is, even for a single file.\n"
    "  --export-csv - FILE.fib...\n"
    "      Writes the CSV of each file in turn to standard output. A reader that\n"
    "      closes the pipe early ends the job quietly, with status 0.\n"
    "  --print-pdf OUT.pdf FILE.fib [--page-size A4|Letter]\n"
    "      Writes the printed report of FILE.fib to OUT.pdf, one PDF page per\n"
    "      report page, drawn by the same code as Print.\n"
    "  --print-pdf OUTDIR FILE.fib... [--page-size A4|Letter]\n"
    "      Writes OUTDIR/NAME.pdf for each FILE.fib.\n"
    "  --summary [--format text|json|csv] PATH...\n"
    "      Judges every fiber of every result file against its thresholds and\n"
    "      writes the verdicts to standard output as they are made. A PATH is a\n"
    "      result file, read whatever it is, or a folder: every regular file in\n"
    "      it and its subfolders whose name ends in \".fib\" (in any case), in\n"
    "      name order; anything else of such a name there is \"not a regular\n"
    "      file\". A file reached twice is judged once. The rows are read exactly\n"
    "      as for --export-csv; each block of 18 rows is one fiber, named by its\n"
    "      first row. A channel passes when its power and its threshold both hold\n"
    "      a number and the power is at or above the threshold; \"Low\" fails, and\n"
    "      so does a power or threshold that holds no number (\"no number\"). The\n"
    "      margin is power minus threshold, in dB. A fiber passes when it has 18\n"
    "      rows and all of them pass (fewer rows: \"incomplete\"). A file passes\n"
    "      when it has a fiber and every fiber passes (none: \"no rows\").\n"
    "      text (the default): the path of each failing file and a line per\n"
    "        failing fiber (its worst channel's power, threshold and margin);\n"
    "        then a line per file (PASS or FAIL, fibers passed of all, yield), one\n"
    "        for all files together, and what could not be read.\n"
    "      json: {\"files\": [{\"path\", \"fiber_results\": [{\"name\", \"verdict\",\n"
    "        \"rows\", \"reason\", \"failed_channels\", \"worst_channel\",\n"
    "        \"worst_margin\"}], \"verdict\", \"fibers\", \"failed\", \"yield\",\n"
    "        \"channels\": [{\"channel\", \"wavelength\", \"count\", \"failed\", \"min\",\n"
    "        \"max\", \"mean\", \"stddev\"}]}], \"verdict\", \"errors\": [{\"path\",\n"
    "        \"message\"}]}.\n"
    "      csv: file,fiber,verdict,rows,reason,worst_channel,worst_margin,\n"
    "        failed_channels, one line per fiber (RFC 4180).\n"
    "      Texts are UTF-8, decoded from code page 936 and trimmed; numbers are\n"
    "      the shortest decimals to six places (1e+64 past fifteen digits; null,\n"
    "      or empty in csv, beyond any number); a yield is rounded down.\n"
    "\n"
    "Several files are done in parallel, on all of the machine's cores. A file\n"
    "that cannot be read or written is named on standard error and the others\n"
    "are still written. Two files that would write the same result, or a result\n"
    "that would replace one of the files read, are refused before anything is\n"
    "written. On a terminal, standard error shows how many files are done;\n"
    "otherwise a job that succeeds prints nothing there.\n"
    "\n"
    "A result that is a regular file (or a new one) replaces an older file of its\n"
    "name only once it is complete and synced to the disk: it is written into a\n"
    "private temporary file beside it (without a name where the file system can,\n"
    "otherwise .quenvale-XXXXXXXX-NAME), which then takes the older file's mode\n"
    "(and, where allowed, its owner and group), its extended attributes and its\n"
    "name; the folder is synced after. A job that fails, or is stopped by a signal,\n"
    "leaves the older file as it was and no temporary file; a named one left by a\n"
    "job that was killed is removed by the next job that writes into that folder. A\n"
    "result that had other names (hard links) is replaced under the name given\n"
    "alone, and standard error says so. A result that is not a regular file (a\n"
    "device such as /dev/null, a FIFO, a socket, /dev/stdout) is written in place\n"
    "and never replaced; with --export-csv it takes the CSV of every file given, in\n"
    "turn. A symbolic link is written through to the file it names.\n"
    "File names are taken as the bytes given, whatever their encoding.\n"
    "\n"
    "Exit status:\n"
    "  0    every file was written (--summary: every file passed)\n"
    "  1    a file or PATH could not be read or written (the others were done;\n"
    "       this comes before 3)\n"
    "  2    the arguments cannot be used (nothing was done)\n"
    "  3    --summary: a fiber or a file failed\n"
    "  128 + N\n"
    "       the job was stopped by signal N (SIGHUP 1, SIGINT 2, SIGQUIT 3,\n"
    "       SIGUSR1 10, SIGUSR2 12, SIGPIPE 13, SIGALRM 14, SIGTERM 15, SIGXCPU 24,\n"
    "       SIGXFSZ 25): it ends by that signal within half a second, whatever\n"
    "       it was doing. A write past the file size limit fails with status 1.");

} // namespace

QString Description()
{
    return Texts::tr(kDescription);
}

} // namespace HelpText
