#pragma once

#include "lot/LotControl.h"

#include <QPoint>
#include <QString>
#include <QStringList>

#include <optional>

// The per-user settings: the recent files, the print preview's pages side
// by side, whether the verdicts are shown, the warning margin, which fibers
// the fiber box lists, and where the window stood.
// Each is written the moment it changes and read from the disk when it is
// asked for, so that nothing is lost to a program that is killed, and two
// windows running at once each keep what the other wrote: a change to the
// recent files is made to the list as it is on the disk, under a lock.
class AppSettings
{
public:
    static constexpr int MaxRecentFiles = 4;

    // Where the settings live: the key and the application's title.
    static QString RegistryKey() { return QStringLiteral("Local AppWizard-Generated Applications"); }
    static QString AppName();

    static QStringList RecentFiles();
    // Puts `path` at the top of the recent files, or takes it off; returns
    // the list as it now is.
    static QStringList AddRecentFile(const QString &path);
    static QStringList RemoveRecentFile(const QString &path);

    static int PreviewPages();
    static void SetPreviewPages(int pages);
    static bool VerdictsShown();
    static void SetVerdictsShown(bool shown);
    // None: no marginal band (the start).
    static std::optional<double> WarnMargin();
    static void SetWarnMargin(std::optional<double> margin);
    // The file of limits last chosen for the result files of `folder`;
    // empty for none.
    static QString LimitsFile(const QString &folder);
    static void SetLimitsFile(const QString &folder, const QString &path);
    // The control charts' plan of the lot of `folder` (see ControlPlan):
    // its baseline, and the files where a change was made.
    static ControlPlan ControlPlanOf(const QString &folder);
    static void SetControlPlan(const QString &folder, const ControlPlan &plan);
    // The fiber box's verdict filter, by its place in the menu; 0, all
    // fibers, for anything else.
    static int FiberFilter();
    static void SetFiberFilter(int filter);
    static std::optional<QPoint> WindowPlace();
    static void SetWindowPlace(const QPoint &place);
};
