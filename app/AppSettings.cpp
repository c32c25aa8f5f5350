#include "app/AppSettings.h"

#include "output/StringTable.h"

#include <QLockFile>
#include <QSettings>

#include <cmath>
#include <functional>
#include <memory>

namespace {

const char kRecentSection[] = "Recent File List";
const char kRecentEntry[] = "File%1";
const char kPreviewKey[] = "Settings/PreviewPages";
const char kVerdictsKey[] = "Settings/Verdicts";
const char kPlaceKey[] = "Settings/WindowPlace";
const char kWarnMarginKey[] = "Settings/WarnMargin";
const char kFilterKey[] = "Settings/FiberFilter";
constexpr int kFilters = 4;

QSettings *open()
{
    return new QSettings(AppSettings::RegistryKey(), AppSettings::AppName());
}

QStringList readRecent(QSettings &store)
{
    QStringList paths;
    store.beginGroup(QString::fromLatin1(kRecentSection));
    for (int i = 1; i <= AppSettings::MaxRecentFiles; ++i) {
        const QString path = store.value(QString::fromLatin1(kRecentEntry).arg(i)).toString();
        if (!path.isEmpty() && !paths.contains(path))
            paths.append(path);
    }
    store.endGroup();
    return paths;
}

// Changes the recent files as the disk has them now: another window may
// have written them since they were read. The lock keeps two windows from
// changing them at once; the settings file's own lock covers one write.
QStringList changeRecent(const std::function<void(QStringList &)> &change)
{
    const std::unique_ptr<QSettings> store(open());
    QLockFile lock(store->fileName() + QStringLiteral(".recent"));
    lock.setStaleLockTime(5000);
    const bool locked = lock.tryLock(2000);
    store->sync();
    QStringList paths = readRecent(*store);
    change(paths);
    while (paths.size() > AppSettings::MaxRecentFiles)
        paths.removeLast();
    store->remove(QString::fromLatin1(kRecentSection));
    store->beginGroup(QString::fromLatin1(kRecentSection));
    for (int i = 0; i < paths.size(); ++i)
        store->setValue(QString::fromLatin1(kRecentEntry).arg(i + 1), paths.at(i));
    store->endGroup();
    store->sync();
    if (locked)
        lock.unlock();
    return paths;
}

void write(const char *key, const QVariant &value)
{
    const std::unique_ptr<QSettings> store(open());
    store->setValue(QString::fromLatin1(key), value);
    store->sync();
}

QVariant read(const char *key)
{
    const std::unique_ptr<QSettings> store(open());
    store->sync(); // what another window wrote since
    return store->value(QString::fromLatin1(key));
}

} // namespace

QString AppSettings::AppName()
{
    return StringTable::LoadString(StringTable::AFX_IDS_APP_TITLE);
}

QStringList AppSettings::RecentFiles()
{
    const std::unique_ptr<QSettings> store(open());
    store->sync();
    return readRecent(*store);
}

QStringList AppSettings::AddRecentFile(const QString &path)
{
    return changeRecent([&path](QStringList &paths) {
        paths.removeAll(path);
        paths.prepend(path);
    });
}

QStringList AppSettings::RemoveRecentFile(const QString &path)
{
    return changeRecent([&path](QStringList &paths) { paths.removeAll(path); });
}

int AppSettings::PreviewPages()
{
    return read(kPreviewKey).toInt();
}

void AppSettings::SetPreviewPages(int pages)
{
    write(kPreviewKey, pages);
}

bool AppSettings::VerdictsShown()
{
    return read(kVerdictsKey).toBool();
}

void AppSettings::SetVerdictsShown(bool shown)
{
    write(kVerdictsKey, shown);
}

// Kept as text, empty for none; anything that is no margin of 0 dB or more
// (a file edited by hand) is none.
std::optional<double> AppSettings::WarnMargin()
{
    bool ok = false;
    const double margin = read(kWarnMarginKey).toString().toDouble(&ok);
    if (!ok || !(margin >= 0) || !std::isfinite(margin))
        return std::nullopt;
    return margin;
}

void AppSettings::SetWarnMargin(std::optional<double> margin)
{
    write(kWarnMarginKey, margin ? QString::number(*margin) : QString());
}

namespace {

// A folder's path, whatever its characters, as one key of the group.
QString limitsKey(const QString &folder)
{
    return QStringLiteral("Limits/") + QString::fromLatin1(folder.toUtf8().toHex());
}

QString planKey(const QString &folder)
{
    return QStringLiteral("Lots/") + QString::fromLatin1(folder.toUtf8().toHex());
}

} // namespace

ControlPlan AppSettings::ControlPlanOf(const QString &folder)
{
    const std::unique_ptr<QSettings> store(open());
    store->sync();
    store->beginGroup(planKey(folder));
    ControlPlan plan;
    bool ok = false;
    const int baseline = store->value(QStringLiteral("baseline")).toInt(&ok);
    if (ok && baseline >= 2)
        plan.baselineFiles = baseline;
    plan.baselineFrom = store->value(QStringLiteral("baselineFrom")).toString();
    plan.baselineTo = store->value(QStringLiteral("baselineTo")).toString();
    plan.changes = store->value(QStringLiteral("changes")).toStringList();
    return plan;
}

void AppSettings::SetControlPlan(const QString &folder, const ControlPlan &plan)
{
    const std::unique_ptr<QSettings> store(open());
    store->remove(planKey(folder));
    if (plan != ControlPlan()) {
        store->beginGroup(planKey(folder));
        store->setValue(QStringLiteral("baseline"), plan.baselineFiles);
        store->setValue(QStringLiteral("baselineFrom"), plan.baselineFrom);
        store->setValue(QStringLiteral("baselineTo"), plan.baselineTo);
        store->setValue(QStringLiteral("changes"), plan.changes);
        store->endGroup();
    }
    store->sync();
}

QString AppSettings::LimitsFile(const QString &folder)
{
    const std::unique_ptr<QSettings> store(open());
    store->sync();
    return store->value(limitsKey(folder)).toString();
}

void AppSettings::SetLimitsFile(const QString &folder, const QString &path)
{
    const std::unique_ptr<QSettings> store(open());
    if (path.isEmpty())
        store->remove(limitsKey(folder));
    else
        store->setValue(limitsKey(folder), path);
    store->sync();
}

int AppSettings::FiberFilter()
{
    const int filter = read(kFilterKey).toInt();
    return filter >= 0 && filter < kFilters ? filter : 0;
}

void AppSettings::SetFiberFilter(int filter)
{
    write(kFilterKey, filter);
}

std::optional<QPoint> AppSettings::WindowPlace()
{
    const QVariant place = read(kPlaceKey);
    if (!place.isValid())
        return std::nullopt;
    return place.toPoint();
}

void AppSettings::SetWindowPlace(const QPoint &place)
{
    write(kPlaceKey, place);
}
