#include "core/App.h"

#include <QUuid>

App::App(const platform::Services& services)
    : InstanceId(QUuid::createUuid().toRfc4122())
    , services(services)
{
}
