#include "app/Resources.h"

#include <QStringList>
#include <QtGlobal>

static void initQuenvaleResources()
{
    Q_INIT_RESOURCE(quenvale);
}

namespace Resources {

void Init()
{
    static const bool done = (initQuenvaleResources(), true);
    Q_UNUSED(done);
}

QFont FormFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("AR PL UMing CN"), QStringLiteral("SimSun"),
                      QString::fromUtf8("\xe5\xae\x8b\xe4\xbd\x93")}); // 宋体
    font.setPixelSize(12);
    return font;
}

} // namespace Resources
