#include "app/Resources.h"

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

} // namespace Resources
