// The quenvale command. The jobs that draw nothing (--export-csv, --summary,
// --help, --version) and every unusable argument are done here on Qt Core
// alone, so that a script converting files one at a time never loads the
// window's libraries; for the window, --print-pdf and --plot this process
// becomes the window program, quenvale-gui.

#include "cli/BatchJobs.h"
#include "cli/GuiOptions.h"
#include "cli/HeadlessJob.h"
#include "cli/HeadlessProcess.h"
#include "cli/Options.h"
#include "data/NativePath.h"
#include "output/Translations.h"

#include <QByteArray>
#include <QCoreApplication>

#include <cerrno>
#include <climits>
#include <unistd.h>

namespace {

constexpr char kWindowProgram[] = "quenvale-gui";

// Beside this program in the build tree; where the installation puts it
// otherwise (QUENVALE_WINDOW_PROGRAM_DIR is relative to this program's own
// folder). It gets the arguments unchanged.
int becomeWindowProgram(char *argv[])
{
    char self[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", self, sizeof self - 1);
    const QByteArray folder =
        length > 0 ? QByteArray(self, length).left(QByteArray(self, length).lastIndexOf('/'))
                   : QByteArray(".");
    // The reason told is the first that is not a missing file, or the last.
    int error = 0;
    QByteArray failed;
    for (const QByteArray &candidate :
         {folder + '/' + kWindowProgram,
          folder + "/" QUENVALE_WINDOW_PROGRAM_DIR "/" + kWindowProgram}) {
        ::execv(candidate.constData(), argv);
        if (error == 0 || error == ENOENT) {
            error = errno;
            failed = candidate;
        }
    }
    BatchJobs::PrintError(QCoreApplication::translate("main", "cannot start the window program %1: %2")
                              .arg(NativePath::Display(NativePath::Decode(failed)), qt_error_string(error)));
    return ExitCode(ExitStatus::Failure);
}

} // namespace

int main(int argc, char *argv[])
{
    Options options;
    QString error;
    const QStringList arguments = NativePath::Arguments(argc, argv);
    if (!Options::Parse(arguments, &options, &error))
        return HeadlessProcess::RefuseArguments(argv, arguments);
    if (options.NeedsWindowProgram())
        return becomeWindowProgram(argv);
    return HeadlessProcess::Run([&] {
        int applicationArgc = GuiOptions::ApplicationArgumentCount(argc, argv);
        QCoreApplication app(applicationArgc, argv);
        Translations::Install(app);
        return HeadlessJob::Run(options);
    });
}
